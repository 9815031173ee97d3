// One instance of the WebAssembly engine and the conversions run in it. Loaded by the page's
// worker with importScripts and by the Node tests with require.
"use strict";

// The encodings the engine reads and writes, named as on the command line.
const INPUT_ENCODINGS = ["auto", "cp949", "utf-8", "utf-16le"];
const OUTPUT_ENCODINGS = ["cp949", "utf-8"];

// The command line's defaults; the page starts from these.
const DEFAULT_SETTINGS = Object.freeze({
  minLength: 15,
  removeHanja: false,
  blankAfterLong: true,
  markJoins: false,
  splitLong: true,
  joints: "vocabulary",
  inputEncoding: "auto",
  outputEncoding: "utf-8",
});

// Where a file waits in the engine's memory file system while it is converted.
const INPUT_PATH = "/input.txt";

function checkedEncoding(names, name, what) {
  if (!names.includes(name)) throw new Error(`unknown ${what} encoding '${name}'`);
  return name;
}

class EngineClient {
  // `engine` is the module made by createTessalineEngine.
  constructor(engine) {
    this.engine = engine;
  }

  // Converts a file's bytes under the settings, as the command line converts a file. Returns the
  // bytes of the result file, the beginning of the text as it was read (for showing) and whether
  // there is more of it, and why the file could not be converted (null when it was).
  // onProgress(fraction) is called as it goes.
  convert(bytes, settings, onProgress) {
    const s = { ...DEFAULT_SETTINGS, ...settings };
    const e = this.engine;
    const inputEncoding = this.cText(checkedEncoding(INPUT_ENCODINGS, s.inputEncoding, "input"));
    const outputEncoding = this.cText(checkedEncoding(OUTPUT_ENCODINGS, s.outputEncoding, "output"));
    const path = this.cText(INPUT_PATH);
    e.FS.writeFile(INPUT_PATH, bytes);
    e.onProgress = onProgress || null;
    try {
      e._web_convert(path, +s.splitLong, +s.removeHanja, +s.blankAfterLong, +s.markJoins, 2 * s.minLength,
        s.joints === "vocabulary" ? 1 : 0, inputEncoding, outputEncoding);
    } finally {
      for (const at of [inputEncoding, outputEncoding, path]) e._free(at);
      e.FS.unlink(INPUT_PATH);
      e.onProgress = null;
    }
    const failure = this.cString(e._web_failure());
    return {
      bytes: e.HEAPU8.slice(e._web_result(), e._web_result() + e._web_result_length()),
      original: new TextDecoder().decode(e.HEAPU8.subarray(e._web_original(), e._web_original() + e._web_original_length())),
      originalCut: e._web_original_cut() === 1,
      failure: failure === "" ? null : failure,
    };
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

if (typeof module !== "undefined") module.exports = { EngineClient, DEFAULT_SETTINGS };
