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

function checkedEncoding(names, name, what) {
  if (!names.includes(name)) throw new Error(`unknown ${what} encoding '${name}'`);
  return name;
}

class EngineClient {
  // `engine` is the module made by createTessalineEngine.
  constructor(engine) {
    this.engine = engine;
  }

  // Converts a file's bytes under the settings; `date` dates the footer. Returns the bytes of
  // the result file and the encoding the file was read as. onProgress(fraction) is called as
  // the engine goes.
  convert(bytes, settings, date, onProgress) {
    const s = { ...DEFAULT_SETTINGS, ...settings };
    const e = this.engine;
    const input = this.copied(bytes);
    const inputEncoding = this.copied(this.cText(checkedEncoding(INPUT_ENCODINGS, s.inputEncoding, "input")));
    const outputEncoding = this.copied(this.cText(checkedEncoding(OUTPUT_ENCODINGS, s.outputEncoding, "output")));
    e.onProgress = onProgress || null;
    try {
      e._web_convert(input, bytes.length, +s.splitLong, +s.removeHanja, +s.blankAfterLong, +s.markJoins,
        2 * s.minLength, s.joints === "vocabulary" ? 1 : 0, inputEncoding, outputEncoding,
        date.getFullYear(), date.getMonth() + 1, date.getDate());
    } finally {
      for (const at of [input, inputEncoding, outputEncoding]) e._free(at);
      e.onProgress = null;
    }
    const at = e._web_result();
    return { bytes: e.HEAPU8.slice(at, at + e._web_result_length()), readAs: this.cString(e._web_read_as()) };
  }

  // A copy of the bytes in the engine's heap, to be freed.
  copied(bytes) {
    const at = this.engine._malloc(Math.max(bytes.length, 1));
    this.engine.HEAPU8.set(bytes, at);
    return at;
  }

  cText(text) {
    return new TextEncoder().encode(`${text}\0`);
  }

  cString(at) {
    const heap = this.engine.HEAPU8;
    return new TextDecoder().decode(heap.subarray(at, heap.indexOf(0, at)));
  }
}

if (typeof module !== "undefined") module.exports = { EngineClient, DEFAULT_SETTINGS };
