// Converts files in the background with its own instance of the WebAssembly engine, so the page
// stays responsive however long a novel is. Messages in: {id, blob, settings}, the file read here
// rather than by the page. Messages out:
// {type: "progress", id, fraction}, then {type: "done", id, bytes, warnings} followed by
// {type: "original", id, text, cut}, or {type: "failed", id, reason, detail}. The engine's own
// wording of a failure or warning comes in English and Korean: {en, ko}.
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
  const { id, blob, settings } = data;
  let engine;
  try {
    engine = await client;
  } catch (error) {
    postMessage({ type: "failed", id, reason: "unavailable", detail: String(error) });
    return;
  }
  let bytes;
  try {
    bytes = new Uint8Array(await blob.arrayBuffer());
  } catch (error) {
    postMessage({ type: "failed", id, reason: "unreadable", detail: error.message || String(error) });
    return;
  }
  let result;
  try {
    result = engine.convert(bytes, settings, (fraction) => postMessage({ type: "progress", id, fraction }));
  } catch (error) {
    postMessage({ type: "failed", id, ...stopped(error) });
    return;
  }
  const wording = (english) => ({ en: english, ko: engine.inKorean(english) });
  if (result.failure !== null) {
    postMessage({ type: "failed", id, reason: "refused", detail: wording(result.failure) });
    return;
  }
  postMessage({ type: "done", id, bytes: result.bytes.buffer, warnings: result.warnings.map(wording) }, [result.bytes.buffer]);
  // The original for the view comes once the result is out: reading it again is not part of
  // converting it. Without it the view shows the result alone.
  let original = { text: "", cut: false };
  try {
    original = engine.original(bytes, settings);
  } catch (error) {
    stopped(error);
  }
  postMessage({ type: "original", id, ...original });
};

// An engine that stopped midway is of no further use; the next file gets a fresh one. The engine
// throws nothing but running out of memory, which arrives as a number (the C++ exception);
// anything else stopped it.
function stopped(error) {
  client = loadEngine();
  return { reason: typeof error === "number" ? "memory" : "engine", detail: String(error) };
}
