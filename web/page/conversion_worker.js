// Converts files in the background with its own instance of the WebAssembly engine, so the page
// stays responsive however long a novel is. Messages in: {id, bytes, settings, date}. Messages
// out: {type: "progress", id, fraction}, {type: "done", id, bytes, readAs} and
// {type: "failed", id, reason, detail}.
"use strict";

importScripts("tessaline-engine.js", "engine_client.js");

const ENGINE_FILE = "tessaline-engine.wasm";

// Compiles while the file streams in; a server that does not call it application/wasm gets the
// slower path.
function instantiated(imports) {
  const slowly = () => fetch(ENGINE_FILE)
    .then((response) => response.arrayBuffer())
    .then((bytes) => WebAssembly.instantiate(bytes, imports));
  return WebAssembly.instantiateStreaming(fetch(ENGINE_FILE), imports).catch(slowly);
}

function loadEngine() {
  return new Promise((resolve, reject) => {
    const instantiateWasm = (imports, receive) => {
      instantiated(imports).then((made) => receive(made.instance, made.module), reject);
      return {};
    };
    createTessalineEngine({ instantiateWasm }).then((engine) => resolve(new EngineClient(engine)), reject);
  });
}

let client = loadEngine();

onmessage = async ({ data }) => {
  const { id, bytes, settings, date } = data;
  let engine;
  try {
    engine = await client;
  } catch (error) {
    postMessage({ type: "failed", id, reason: "unavailable", detail: String(error) });
    return;
  }
  try {
    const result = engine.convert(new Uint8Array(bytes), settings, new Date(date),
      (fraction) => postMessage({ type: "progress", id, fraction }));
    postMessage({ type: "done", id, bytes: result.bytes.buffer, readAs: result.readAs }, [result.bytes.buffer]);
  } catch (error) {
    // An engine that stopped midway is of no further use; the next file gets a fresh one. The
    // engine throws nothing but running out of memory, which arrives as a number (the C++
    // exception); anything else stopped it.
    client = loadEngine();
    const memory = typeof error === "number";
    postMessage({ type: "failed", id, reason: memory ? "memory" : "engine", detail: String(error) });
  }
};
