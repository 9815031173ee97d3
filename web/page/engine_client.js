// One instance of the WebAssembly engine and the conversions run in it. Loaded by the page's
// worker with importScripts and by the Node tests with require.
"use strict";

// Settings not given take the command line's defaults, but for a UTF-8 result, the page's.
const DEFAULT_SETTINGS = Object.freeze({
  minLength: 15,
  removeHanja: false,
  blankAfterLong: true,
  markJoins: false,
  splitLong: true,
  joints: "vocabulary",
  footer: true,
  inputEncoding: "auto",
  outputEncoding: "utf-8",
});

// Where a file waits in the engine's memory file system while it is converted.
const INPUT_PATH = "/input.txt";

class EngineClient {
  // `engine` is the module made by createTessalineEngine.
  constructor(engine) {
    this.engine = engine;
  }

  // Converts a file's bytes under the settings, as the command line converts a file. Returns the
  // bytes of the result file, why the file could not be converted (null when it was), and what
  // was lost on the way (warnings in English). onProgress(fraction) is called as it goes.
  // Encodings are named as on the command line; an unknown name throws.
  convert(bytes, settings, onProgress) {
    const s = { ...DEFAULT_SETTINGS, ...settings };
    const e = this.engine;
    e.onProgress = onProgress || null;
    const known = this.withFile(bytes, [s.inputEncoding, s.outputEncoding], (path, input, output) =>
      e._web_convert(path, +s.splitLong, +s.removeHanja, +s.blankAfterLong, +s.markJoins, 2 * s.minLength,
        s.joints === "vocabulary" ? 1 : 0, +s.footer, input, output));
    e.onProgress = null;
    if (!known) throw new Error(`unknown encoding '${s.inputEncoding}' or '${s.outputEncoding}'`);
    const failure = this.cString(e._web_failure());
    return {
      bytes: e.HEAPU8.slice(e._web_result(), e._web_result() + e._web_result_length()),
      failure: failure === "" ? null : failure,
      warnings: this.cString(e._web_warnings()).split("\n").filter((line) => line !== ""),
    };
  }

  // The beginning of a file's text as the engine reads it under the input encoding of the
  // settings, for showing; `cut` when the text goes on.
  original(bytes, settings) {
    const s = { ...DEFAULT_SETTINGS, ...settings };
    const e = this.engine;
    if (!this.withFile(bytes, [s.inputEncoding], (path, input) => e._web_read_original(path, input)))
      throw new Error(`unknown encoding '${s.inputEncoding}'`);
    return {
      text: new TextDecoder().decode(e.HEAPU8.subarray(e._web_original(), e._web_original() + e._web_original_length())),
      cut: e._web_original_cut() === 1,
    };
  }

  // A reason or warning of the engine in the Korean the command line words it in.
  inKorean(english) {
    const text = this.cText(english);
    try {
      return this.cString(this.engine._web_in_korean(text));
    } finally {
      this.engine._free(text);
    }
  }

  // Runs `call` with the file in the memory file system and the texts in the heap, then frees them.
  // The file system keeps the bytes themselves rather than a copy: the engine only reads them.
  withFile(bytes, texts, call) {
    const e = this.engine;
    const pointers = [INPUT_PATH, ...texts].map((text) => this.cText(text));
    e.FS.writeFile(INPUT_PATH, bytes, { canOwn: true });
    try {
      return call(...pointers);
    } finally {
      for (const at of pointers) e._free(at);
      e.FS.unlink(INPUT_PATH);
    }
  }

  // A NUL-terminated copy of the text in the engine's heap, to be freed.
  cText(text) {
    const bytes = new TextEncoder().encode(`${text}\0`);
    const at = this.engine._malloc(bytes.length);
    this.engine.HEAPU8.set(bytes, at);
    return at;
  }

  cString(at) {
    const heap = this.engine.HEAPU8;
    return new TextDecoder().decode(heap.subarray(at, heap.indexOf(0, at)));
  }
}

if (typeof module !== "undefined") module.exports = { EngineClient };
