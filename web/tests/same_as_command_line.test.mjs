// The browser's engine gives byte for byte what the command line gives: on the quality tool's
// corpus inputs in every wrap style and on the sample story, under several option sets and input
// encodings, and on every CP949 byte pair and malformed input. Run by scripts/test with:
//   TESSALINE_CLI       the native command line
//   TESSALINE_WEB       the built page (scripts/web --build)
//   TESSALINE_SAMPLE    the sample story
//   TESSALINE_WRAPPED   a folder written by write_wrapped_corpus (one folder per wrap style);
//                       without it, where the corpus is missing, only the sample story is used
import { test } from "node:test";
import assert from "node:assert/strict";
import { execFileSync, spawnSync } from "node:child_process";
import { createRequire } from "node:module";
import fs from "node:fs";
import os from "node:os";
import path from "node:path";

const require = createRequire(import.meta.url);
const cli = process.env.TESSALINE_CLI;
// The page has no spelling dictionary and names its joint mode: the command line is run alike,
// the rules first, so that an option's absence means what it means on the page.
const WITHOUT_DICTIONARY = ["--joints", "rules", "--dictionary", "/nonexistent/tessaline-dictionary"];
const wrapped = process.env.TESSALINE_WRAPPED;
const site = process.env.TESSALINE_WEB;
const sample = process.env.TESSALINE_SAMPLE;

async function loadClient() {
  const createEngine = require(path.resolve(site, "tessaline-engine.js"));
  const { EngineClient } = require(path.resolve(site, "engine_client.js"));
  const engine = await createEngine({ wasmBinary: fs.readFileSync(path.join(site, "tessaline-engine.wasm")) });
  return new EngineClient(engine);
}

const client = await loadClient();
const work = fs.mkdtempSync(path.join(os.tmpdir(), "tessaline-web-"));
process.on("exit", () => fs.rmSync(work, { recursive: true, force: true }));

// Option sets: the command line's arguments and the same settings for the page's engine.
const OPTION_SETS = [
  { name: "rules", args: [], settings: { joints: "rules" } },
  { name: "vocabulary", args: ["--vocabulary-joints"], settings: { joints: "vocabulary" } },
  {
    name: "every option changed",
    args: ["-m", "10", "--remove-hanja", "--no-blank-after-long", "--mark-joins", "--no-split-long", "--joints", "vocabulary",
      "--no-footer"],
    settings: { minLength: 10, removeHanja: true, blankAfterLong: false, markJoins: true, splitLong: false, joints: "vocabulary",
      footer: false },
  },
];

function settingsWith(base, inputEncoding, outputEncoding) {
  return { ...base, inputEncoding, outputEncoding };
}

function cliArgs(args, inputEncoding, outputEncoding) {
  return [...args, "--input-encoding", inputEncoding, "--output-encoding", outputEncoding];
}

// What the command line said of each file on standard error ("tessaline: 'PATH' what"), by name.
function toldByName(stderr, folder) {
  const told = {};
  for (const line of stderr.split("\n")) {
    const match = line.match(/^tessaline: '([^']*)' (.*)$/);
    if (!match || path.dirname(match[1]) !== folder) continue;
    (told[path.basename(match[1])] ||= []).push(match[2]);
  }
  return told;
}

// Converts every file of `folder` with the command line and with the page's engine, and names
// the files whose results, failures or warnings differ.
function differingFiles(folder, args, settings) {
  const out = fs.mkdtempSync(path.join(work, "out-"));
  const run = spawnSync(cli, ["-o", out, ...WITHOUT_DICTIONARY, ...args, folder], { encoding: "utf8" });
  const told = toldByName(run.stderr, folder);
  const differing = [];
  for (const name of fs.readdirSync(folder).sort()) {
    const result = client.convert(fs.readFileSync(path.join(folder, name)), settings);
    const written = path.join(out, name);
    const expected = fs.existsSync(written) ? fs.readFileSync(written) : null;
    const said = [result.failure, ...result.warnings].filter((text) => text !== null);
    const same = expected === null
      ? result.failure !== null
      : result.failure === null && Buffer.compare(Buffer.from(result.bytes), expected) === 0;
    if (!same || JSON.stringify(said) !== JSON.stringify(told[name] || [])) differing.push(name);
  }
  return differing;
}

// A copy of a folder with every file re-encoded by iconv, a byte-order mark put first when given.
function reencoded(folder, encoding, mark) {
  const copy = fs.mkdtempSync(path.join(work, `${encoding}-`));
  for (const name of fs.readdirSync(folder)) {
    const text = execFileSync("iconv", ["-f", "CP949", "-t", encoding, path.join(folder, name)]);
    fs.writeFileSync(path.join(copy, name), Buffer.concat([Buffer.from(mark), text]));
  }
  return copy;
}

function writtenFolder(files) {
  const folder = fs.mkdtempSync(path.join(work, "in-"));
  for (const [name, bytes] of Object.entries(files)) fs.writeFileSync(path.join(folder, name), bytes);
  return folder;
}

// Folders of inputs: the sample story, and the corpus in each wrap style when it is there.
const inputFolders = { "the sample story": writtenFolder({ [path.basename(sample)]: fs.readFileSync(sample) }) };
if (wrapped) {
  const styles = fs.readdirSync(wrapped).sort();
  test("the corpus comes in every wrap style", () => assert.ok(styles.length >= 5, styles.join(", ")));
  for (const style of styles) inputFolders[style] = path.join(wrapped, style);
} else {
  test("the corpus in every wrap style", { skip: "no corpus folder given (TESSALINE_WRAPPED)" }, () => {});
}

for (const [style, folder] of Object.entries(inputFolders)) {
  for (const options of OPTION_SETS) {
    test(`${style}, CP949 in and out, ${options.name}`, () => {
      const settings = settingsWith(options.settings, "auto", "cp949");
      assert.deepEqual(differingFiles(folder, cliArgs(options.args, "auto", "cp949"), settings), []);
    });
  }
  test(`${style}, UTF-8 in and out, vocabulary`, () => {
    const utf8 = reencoded(folder, "UTF-8", []);
    assert.deepEqual(differingFiles(utf8, cliArgs(OPTION_SETS[1].args, "auto", "utf-8"),
      settingsWith(OPTION_SETS[1].settings, "auto", "utf-8")), []);
  });
  test(`${style}, UTF-16LE with its mark in, UTF-8 out, rules`, () => {
    const utf16 = reencoded(folder, "UTF-16LE", [0xff, 0xfe]);
    assert.deepEqual(differingFiles(utf16, cliArgs(OPTION_SETS[0].args, "auto", "utf-8"),
      settingsWith(OPTION_SETS[0].settings, "auto", "utf-8")), []);
  });
}

// Every lead byte with every trail byte, valid or not, one pair per line and a longer line every
// so often so that lines are joined too.
function everyPair() {
  const bytes = [];
  for (let lead = 0x80; lead <= 0xff; lead++) {
    for (let trail = 0x40; trail <= 0xff; trail++) {
      bytes.push(lead, trail);
      bytes.push(...(trail % 8 === 0 ? [0x0d, 0x0a] : [0x20]));
    }
    bytes.push(0x0d, 0x0a);
  }
  return Buffer.from(bytes);
}

test("every CP949 byte pair, read as CP949 and written as UTF-8", () => {
  const folder = writtenFolder({ "pairs.txt": everyPair() });
  assert.deepEqual(differingFiles(folder, cliArgs(["-m", "0"], "cp949", "utf-8"),
    { minLength: 0, joints: "rules", inputEncoding: "cp949", outputEncoding: "utf-8" }), []);
});

test("every character of CP949 and characters it lacks, read as UTF-8 and written as CP949", () => {
  const pairs = writtenFolder({ "pairs.txt": everyPair() });
  const out = fs.mkdtempSync(path.join(work, "out-"));
  execFileSync(cli, ["-q", "-o", out, "--input-encoding", "cp949", "--output-encoding", "utf-8", pairs]);
  const lacking = Buffer.from("— – • é ✓ 😀 👍🏽 👨‍👩‍👧 𠀀 가\r\n", "utf8");
  const folder = writtenFolder({ "characters.txt": Buffer.concat([fs.readFileSync(path.join(out, "pairs.txt")), lacking]) });
  assert.deepEqual(differingFiles(folder, cliArgs(["--vocabulary-joints"], "utf-8", "cp949"),
    { joints: "vocabulary", inputEncoding: "utf-8", outputEncoding: "cp949" }), []);
});

const utf8 = (text) => [...Buffer.from(text, "utf8")];
const utf16 = (text, order) => {
  const little = Buffer.from(text, "utf16le");
  return [...(order === "be" ? little.swap16() : little)];
};
const WRAPPED = "바다는 아침부터 잿빛이었다. 선착장에 모인 \r\n사람들은 저마다 외투 깃을 세우고 발을 동동 \r\n구르며 배를 기다렸다.\r\n";
// Characters CP949 lacks: dashes, a bullet, an accented letter, emoji with a joiner, a character
// beyond the first plane, old Hangul jamo.
const LACKING = "그는 — 잠시 – 멈췄다 • café 👨‍👩‍👧 😀 𠀀 ᄀᆞ\r\n다음 줄이다.\r\n";

// Malformed and unusual inputs, each read the way the command line reads it.
const UNUSUAL_INPUTS = [
  { name: "UTF-8 cut inside characters", bytes: [0xea, 0xb0, 0x80, 0xea, 0xb0, 0x41, 0xe0, 0x80, 0x80, 0xf0, 0x9f, 0x98, 0x0d, 0x0a, 0xed, 0xa0, 0x80, 0xc0, 0xaf, 0xff], encoding: "utf-8" },
  { name: "UTF-8 with NULs inside characters", bytes: [0xea, 0x00, 0xb0, 0x80, 0x00, 0x41, 0x0d, 0x0a, 0xea, 0xb0], encoding: "auto" },
  { name: "UTF-8 with a few bytes that are not", bytes: [...utf8(WRAPPED.repeat(4)), 0xff, ...utf8(WRAPPED)], encoding: "auto" },
  { name: "CP949 lead bytes alone and at the end", bytes: [0xb0, 0x0d, 0x0a, 0xb0, 0xa1, 0x80, 0xff, 0xc9, 0xa1, 0xfe, 0xfe, 0xb0], encoding: "auto" },
  { name: "CP949's own user-defined codes", bytes: [0xb0, 0xa1, 0xc9, 0xa2, 0xfe, 0xa1, 0xfe, 0xfe, 0x0d, 0x0a], encoding: "euc-kr" },
  { name: "characters CP949 lacks, in UTF-8", bytes: utf8(LACKING), encoding: "auto" },
  { name: "characters CP949 lacks, in UTF-16LE with its mark", bytes: [0xff, 0xfe, ...utf16(LACKING, "le")], encoding: "auto" },
  { name: "UTF-16LE with lone surrogates, NUL units and an odd length", bytes: [0xff, 0xfe, 0x00, 0xac, 0x00, 0xd8, 0x41, 0x00, 0x00, 0x00, 0x00, 0xdc, 0x3d, 0xd8, 0x00, 0xde, 0x41], encoding: "auto" },
  { name: "UTF-16LE without a mark", bytes: utf16(WRAPPED, "le"), encoding: "auto" },
  { name: "UTF-16BE with its mark", bytes: [0xfe, 0xff, ...utf16(WRAPPED, "be")], encoding: "auto" },
  { name: "UTF-16BE without a mark", bytes: utf16(WRAPPED, "be"), encoding: "auto" },
  { name: "UTF-16 of either order, read as UTF-16", bytes: utf16(WRAPPED, "be"), encoding: "utf-16" },
  { name: "UTF-16LE without a mark, read as asked", bytes: [0x00, 0xac, 0x20, 0x00, 0x01, 0xac, 0x0d, 0x00, 0x0a, 0x00], encoding: "utf-16le" },
  { name: "a UTF-8 mark on CP949 text", bytes: [0xef, 0xbb, 0xbf, 0xb0, 0xa1, 0xb3, 0xaa], encoding: "auto" },
  { name: "a PNG image named .txt", bytes: [0x89, 0x50, 0x4e, 0x47, 0x0d, 0x0a, 0x1a, 0x0a, ...Array(64).fill(0x07)], encoding: "auto" },
  { name: "bytes mostly control codes", bytes: Array.from({ length: 512 }, (_, k) => (k % 3 === 0 ? 0x01 : 0x41)), encoding: "auto" },
  { name: "an empty file", bytes: [], encoding: "auto" },
  { name: "only line ends and spaces", bytes: [0x0d, 0x0a, 0x20, 0x0a, 0x0a, 0x0d], encoding: "auto" },
];

for (const input of UNUSUAL_INPUTS) {
  test(input.name, () => {
    const folder = writtenFolder({ "input.txt": Buffer.from(input.bytes) });
    for (const output of ["cp949", "utf-8", "same"])
      assert.deepEqual(differingFiles(folder, cliArgs([], input.encoding, output),
        { joints: "rules", inputEncoding: input.encoding, outputEncoding: output }), [], `${output} out`);
  });
}
