// The engine as the page's worker uses it: the bar it moves, the encoding it reports, the
// settings it refuses. Run by scripts/test with TESSALINE_WEB (the built page) and
// TESSALINE_SAMPLE (the sample story).
import { test } from "node:test";
import assert from "node:assert/strict";
import { createRequire } from "node:module";
import fs from "node:fs";
import path from "node:path";

const require = createRequire(import.meta.url);
const site = process.env.TESSALINE_WEB;
const createEngine = require(path.resolve(site, "tessaline-engine.js"));
const { EngineClient } = require(path.resolve(site, "engine_client.js"));
const client = new EngineClient(await createEngine({ wasmBinary: fs.readFileSync(path.join(site, "tessaline-engine.wasm")) }));
const sample = fs.readFileSync(process.env.TESSALINE_SAMPLE);

// A novel long enough for the engine to report on its way: the sample story many times over.
const novel = Buffer.concat(Array.from({ length: 400 }, () => sample));

function progressOf(settings) {
  const fractions = [];
  client.convert(novel, settings, new Date(), (fraction) => fractions.push(fraction));
  return fractions;
}

test("the bar only moves forward, in hundredths, and ends full", () => {
  for (const joints of ["rules", "vocabulary"]) {
    const fractions = progressOf({ joints });
    assert.ok(fractions.length >= 10 && fractions.length <= 100, `${joints}: ${fractions.length} steps`);
    fractions.forEach((fraction, k) => {
      assert.ok(k === 0 || fraction > fractions[k - 1], `${joints}: step ${k} goes back`);
      assert.ok(Math.abs(fraction * 100 - Math.round(fraction * 100)) < 1e-9, `${joints}: ${fraction} is no hundredth`);
    });
    assert.equal(fractions.at(-1), 1, joints);
  }
});

test("the vocabulary mode's first reading fills the first third of the bar, the conversion the rest", () => {
  const fractions = progressOf({ joints: "vocabulary" });
  const reading = fractions.filter((fraction) => fraction <= 0.33);
  assert.ok(reading.length >= 10, `${reading.length} steps of reading`);
  assert.equal(reading.at(-1), 0.33);
  assert.ok(fractions.length - reading.length >= 10, `${fractions.length - reading.length} steps of conversion`);
});

test("the encoding each file was read in is told", () => {
  const text = "바다는 아침부터 잿빛이었다.\r\n";
  const cases = [
    { name: "CP949", bytes: Buffer.from(new TextEncoder().encode("a")), readAs: "cp949" },
    { name: "UTF-8", bytes: Buffer.from(text, "utf8"), readAs: "utf-8" },
    { name: "UTF-8 with its mark", bytes: Buffer.concat([Buffer.from([0xef, 0xbb, 0xbf]), Buffer.from(text, "utf8")]), readAs: "utf-8" },
    { name: "UTF-16LE with its mark", bytes: Buffer.concat([Buffer.from([0xff, 0xfe]), Buffer.from(text, "utf16le")]), readAs: "utf-16le" },
    { name: "the sample story", bytes: sample, readAs: "cp949" },
  ];
  for (const { name, bytes, readAs } of cases) assert.equal(client.convert(bytes, {}, new Date()).readAs, readAs, name);
});

test("encodings the engine does not know are refused before it starts", () => {
  assert.throws(() => client.convert(sample, { inputEncoding: "latin-1" }, new Date()), /input encoding/);
  assert.throws(() => client.convert(sample, { outputEncoding: "utf-16le" }, new Date()), /output encoding/);
});

test("the footer carries the date it is given", () => {
  const result = Buffer.from(client.convert(sample, { outputEncoding: "utf-8" }, new Date(2031, 0, 9)).bytes).toString("utf8");
  assert.match(result, /\[Text modified date: 2031\.1\.9\]\r\n$/);
});
