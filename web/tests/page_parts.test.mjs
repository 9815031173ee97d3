// The page's parts that run without a browser: the zip writer (read back by Python's zipfile,
// which checks every CRC), the names of a zip's entries, and the interface texts.
import { test } from "node:test";
import assert from "node:assert/strict";
import { execFileSync } from "node:child_process";
import { createRequire } from "node:module";
import fs from "node:fs";
import os from "node:os";
import path from "node:path";

const require = createRequire(import.meta.url);
const { makeZip, crc32 } = require("../page/zip_writer.js");
const { uniqueNames } = require("../page/saving.js");
const { PAGE_TEXTS, pageLanguage } = require("../page/texts.js");

const work = fs.mkdtempSync(path.join(os.tmpdir(), "tessaline-zip-"));
process.on("exit", () => fs.rmSync(work, { recursive: true, force: true }));

// Each entry's name, bytes (hex) and date as Python's zipfile reads them.
function readBack(zip) {
  const file = path.join(work, `${Math.random()}.zip`);
  fs.writeFileSync(file, zip);
  const script = "import json,sys,zipfile\nz=zipfile.ZipFile(sys.argv[1])\nassert z.testzip() is None\n" +
    "print(json.dumps([[i.filename, z.read(i).hex(), list(i.date_time), i.compress_type] for i in z.infolist()]))";
  return JSON.parse(execFileSync("python3", ["-c", script, file], { maxBuffer: 1 << 26 }));
}

const everyByte = Uint8Array.from({ length: 256 }, (_, k) => k);

test("entries come back with their names, bytes and date", () => {
  const files = [
    { name: "등대섬의 겨울.txt", bytes: new TextEncoder().encode("바다는 아침부터 잿빛이었다.\r\n") },
    { name: "empty.txt", bytes: new Uint8Array(0) },
    { name: "every byte.bin", bytes: everyByte },
    { name: "큰 파일.txt", bytes: new Uint8Array(3 << 20).fill(0xb0) },
  ];
  const date = new Date(2024, 1, 29, 13, 45, 58);
  const entries = readBack(makeZip(files, date));
  assert.deepEqual(entries.map(([name]) => name), files.map((file) => file.name));
  entries.forEach(([name, hex, stamp, method], k) => {
    assert.equal(hex, Buffer.from(files[k].bytes).toString("hex"), name);
    assert.deepEqual(stamp, [2024, 2, 29, 13, 45, 58], name);
    assert.equal(method, 0, name);
  });
});

test("odd seconds and dates before 1980 are written as the format allows", () => {
  const cases = [
    { date: new Date(2010, 6, 7, 23, 59, 59), stamp: [2010, 7, 7, 23, 59, 58] },
    { date: new Date(1975, 0, 1, 0, 0, 0), stamp: [1980, 1, 1, 0, 0, 0] },
  ];
  for (const { date, stamp } of cases)
    assert.deepEqual(readBack(makeZip([{ name: "a.txt", bytes: everyByte }], date))[0][2], stamp, String(date));
});

test("an archive with no entries is still an archive", () => {
  assert.deepEqual(readBack(makeZip([])), []);
});

test("CRC-32 agrees with zlib's", () => {
  const inputs = [new Uint8Array(0), everyByte, new TextEncoder().encode("한자(漢字)")];
  const script = "import sys,zlib\nfor h in sys.argv[1:]: print(zlib.crc32(bytes.fromhex(h)))";
  const expected = execFileSync("python3", ["-c", script, ...inputs.map((b) => Buffer.from(b).toString("hex") || "")])
    .toString().trim().split("\n").map(Number);
  assert.deepEqual(inputs.map(crc32), expected);
});

test("more entries than the format counts are refused", () => {
  const files = Array.from({ length: 65536 }, (_, k) => ({ name: `${k}.txt`, bytes: new Uint8Array(0) }));
  assert.throws(() => makeZip(files), RangeError);
});

test("a zip's entry names are made unique, whatever their case", () => {
  const cases = [
    { names: ["a.txt", "b.txt"], unique: ["a.txt", "b.txt"] },
    { names: ["a.txt", "a.txt", "A.TXT"], unique: ["a.txt", "a (2).txt", "A (3).TXT"] },
    { names: ["a (2).txt", "a.txt", "a.txt"], unique: ["a (2).txt", "a.txt", "a (3).txt"] },
    { names: ["README", "README", ".txt", ".txt"], unique: ["README", "README (2)", ".txt", ".txt (2)"] },
  ];
  for (const { names, unique } of cases) assert.deepEqual(uniqueNames(names), unique, names.join(", "));
});

test("the interface speaks Korean to Korean browsers only", () => {
  const cases = [[["ko-KR", "en"], "ko"], [["ko"], "ko"], [["KO-kr"], "ko"], [["en-US", "ko"], "en"], [["ja"], "en"], [[""], "en"]];
  for (const [languages, language] of cases) assert.equal(pageLanguage(languages), language, languages.join(","));
});

test("both languages have every text, and the page uses no text they lack", () => {
  const korean = PAGE_TEXTS.ko;
  const english = PAGE_TEXTS.en;
  assert.deepEqual(Object.keys(english).sort(), Object.keys(korean).sort());
  for (const key of Object.keys(korean)) assert.equal(typeof english[key], typeof korean[key], key);
  const html = fs.readFileSync(new URL("../page/index.html", import.meta.url), "utf8");
  const used = [...html.matchAll(/data-text="([^"]+)"/g)].map((match) => match[1]);
  for (const key of used) assert.equal(typeof korean[key], "string", `index.html uses ${key}`);
});
