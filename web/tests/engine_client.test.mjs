// The engine as the page's worker uses it: the bar it moves, the original it reads for showing,
// the footer it writes, the settings it refuses. Run by scripts/test with TESSALINE_WEB
// (the built page) and TESSALINE_SAMPLE (the sample story).
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
  client.convert(novel, settings, (fraction) => fractions.push(fraction));
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

test("the original comes back as the engine read it, whatever its encoding", () => {
  const text = "바다는 아침부터 잿빛이었다. — 한자(漢字)\r\n";
  const cases = [
    { name: "UTF-8", bytes: Buffer.from(text, "utf8") },
    { name: "UTF-8 with its mark", bytes: Buffer.concat([Buffer.from([0xef, 0xbb, 0xbf]), Buffer.from(text, "utf8")]) },
    { name: "UTF-16LE with its mark", bytes: Buffer.concat([Buffer.from([0xff, 0xfe]), Buffer.from(text, "utf16le")]) },
  ];
  // The dash is one of the characters CP949 lacks, kept as the engine carries it.
  for (const { name, bytes } of cases) assert.deepEqual(client.original(bytes, {}), { text, cut: false }, name);
  assert.equal(client.original(sample, {}).text, new TextDecoder("euc-kr").decode(sample));
  // Forced to read CP949 as UTF-8, the engine sees bytes that are not text.
  assert.match(client.original(sample, { inputEncoding: "utf-8" }).text, /^\uFFFD/);
});

test("a long original comes back cut after a line end", () => {
  const original = client.original(novel, {});
  assert.equal(original.cut, true);
  assert.ok(original.text.endsWith("\n"));
  assert.ok(new TextDecoder("euc-kr").decode(novel).startsWith(original.text));
  assert.ok(original.text.length > 50000, `${original.text.length} characters`);
});

test("a converted file tells no failure, and its result ends in the footer", () => {
  const result = client.convert(sample, { outputEncoding: "utf-8" });
  assert.equal(result.failure, null);
  const now = new Date();
  const date = `${now.getFullYear()}.${now.getMonth() + 1}.${now.getDate()}`;
  assert.match(Buffer.from(result.bytes).toString("utf8"), new RegExp(`\\[Text modified date: ${date.replace(/\./g, "\\.")}\\]\r\n$`));
});

test("the footer is left out on request, and one ending the input is replaced, not repeated", () => {
  const once = Buffer.from(client.convert(sample, { outputEncoding: "utf-8" }).bytes);
  const twice = Buffer.from(client.convert(once, { outputEncoding: "utf-8" }).bytes).toString("utf8");
  assert.equal(twice.split("[Text modified date: ").length, 2);
  const without = Buffer.from(client.convert(sample, { outputEncoding: "utf-8", footer: false }).bytes).toString("utf8");
  assert.ok(!without.includes("[modify by Tessaline"));
  assert.ok(without.endsWith("\r\n"));
});

test("the engine's English reasons come in the command line's Korean", () => {
  const image = Buffer.from([0x89, 0x50, 0x4e, 0x47, 0x0d, 0x0a, 0x1a, 0x0a, ...Array(64).fill(7)]);
  const failure = client.convert(image, {}).failure;
  assert.equal(failure, "is not text: it begins like a PNG image");
  assert.equal(client.inKorean(failure), "파일은 텍스트가 아닙니다: PNG 그림처럼 시작합니다");
  assert.equal(client.inKorean("no such wording"), "no such wording");
});

test("encodings the engine does not know are refused before it starts", () => {
  assert.throws(() => client.convert(sample, { inputEncoding: "latin-1" }), /unknown encoding/);
  assert.throws(() => client.convert(sample, { outputEncoding: "utf-16le" }), /unknown encoding/);
  assert.throws(() => client.original(sample, { inputEncoding: "latin-1" }), /unknown encoding/);
  assert.equal(client.convert(sample, { inputEncoding: "EUC-KR", outputEncoding: "UTF8" }).failure, null);
});

