// Converts files in the background with its own instance of the WebAssembly engine, so the page
// stays responsive however long a novel is. Messages in: {id, bytes, settings}. Messages out:
// {type: "progress", id, fraction}, {type: "done", id, bytes, original, originalCut} and
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

// A hard-wrapped passage converted once at the start: the browser compiles the engine's busiest
// functions for speed only once they have run a while, and the reader's first novel should not
// wait for that.
const WARM_UP_LINES = [
  "바다는 아침부터 잿빛이었다. 선착장에 모인 ",
  "사람들은 저마다 외투 깃을 세우고 발을 동동 ",
  "구르며 배를 기다렸다. 민서는 낡은 가방 하",
  "나를 든 채 사람들 틈에서 조금 떨어져 서 있",
  "었다. \"가방 안에는 뭐가 들었니?\" 할머니가 물었다.",
  "",
];
const WARM_UP_REPEATS = 2000;

function warmedUp(client) {
  const passage = new TextEncoder().encode(WARM_UP_LINES.join("\r\n").repeat(WARM_UP_REPEATS));
  for (const joints of ["rules", "vocabulary"]) client.convert(passage, { joints });
  return client;
}

function loadEngine() {
  return new Promise((resolve, reject) => {
    const instantiateWasm = (imports, receive) => {
      instantiated(imports).then((made) => receive(made.instance, made.module), reject);
      return {};
    };
    createTessalineEngine({ instantiateWasm }).then((engine) => resolve(warmedUp(new EngineClient(engine))), reject);
  });
}

let client = loadEngine();

onmessage = async ({ data }) => {
  const { id, bytes, settings } = data;
  let engine;
  try {
    engine = await client;
  } catch (error) {
    postMessage({ type: "failed", id, reason: "unavailable", detail: String(error) });
    return;
  }
  try {
    const result = engine.convert(new Uint8Array(bytes), settings, (fraction) => postMessage({ type: "progress", id, fraction }));
    if (result.failure !== null) {
      postMessage({ type: "failed", id, reason: "refused", detail: result.failure });
      return;
    }
    postMessage({ type: "done", id, bytes: result.bytes.buffer, original: result.original, originalCut: result.originalCut },
      [result.bytes.buffer]);
  } catch (error) {
    // An engine that stopped midway is of no further use; the next file gets a fresh one. The
    // engine throws nothing but running out of memory, which arrives as a number (the C++
    // exception); anything else stopped it.
    client = loadEngine();
    const memory = typeof error === "number";
    postMessage({ type: "failed", id, reason: memory ? "memory" : "engine", detail: String(error) });
  }
};
