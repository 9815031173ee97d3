// The page in a real browser: Debian's Chromium, headless, loading the built page from a local
// server. Files are dropped on it as a reader would, the results saved and their bytes compared
// with the command line's. Run by scripts/test with:
//   TESSALINE_CLI         the native command line
//   TESSALINE_WEB         the built page (scripts/web --build)
//   TESSALINE_SAMPLE      a CP949 novel to drop
//   TESSALINE_SCREENSHOT  where to save a picture of the page (optional)
import { after, before, test } from "node:test";
import assert from "node:assert/strict";
import { execFileSync } from "node:child_process";
import fs from "node:fs";
import os from "node:os";
import path from "node:path";
import { startChromium, startServer } from "./browser_session.mjs";

const cli = process.env.TESSALINE_CLI;
const site = process.env.TESSALINE_WEB;
const sample = process.env.TESSALINE_SAMPLE;
const screenshot = process.env.TESSALINE_SCREENSHOT;
// Generous: the machines that run the tests may be busy with other work.
const WAIT_MS = 120000;

const work = fs.mkdtempSync(path.join(os.tmpdir(), "tessaline-page-"));
const cp949Input = { name: path.basename(sample), bytes: fs.readFileSync(sample) };
// The UTF-8 file holds a character CP949 lacks, which a UTF-8 result keeps.
const utf8Input = {
  name: "등대섬 UTF-8.txt",
  bytes: Buffer.concat([execFileSync("iconv", ["-f", "CP949", "-t", "UTF-8", sample]), Buffer.from("끝 — 끝\r\n")]),
};

let server;
let chromium;
let page;

// The command line's result for one input under its arguments.
function commandLineResult(input, args) {
  const folder = fs.mkdtempSync(path.join(work, "in-"));
  fs.writeFileSync(path.join(folder, input.name), input.bytes);
  const out = path.join(folder, "out");
  // The page has no spelling dictionary; an option's absence means the rules, as on the page.
  const alike = ["--joints", "rules", "--dictionary", "/nonexistent/tessaline-dictionary"];
  execFileSync(cli, ["-q", "-o", out, ...alike, ...args, path.join(folder, input.name)]);
  return fs.readFileSync(path.join(out, input.name));
}

const PAGE_DEFAULTS = ["--vocabulary-joints", "--output-encoding", "utf-8"];

async function dropFiles(files) {
  const transfer = await page.evaluateHandle((dropped) => {
    const data = new DataTransfer();
    for (const file of dropped) data.items.add(new File([new Uint8Array(file.bytes)], file.name, { type: "text/plain" }));
    return data;
  }, files.map((file) => ({ name: file.name, bytes: [...file.bytes] })));
  await page.dispatchEvent("#drop-zone", "drop", { dataTransfer: transfer });
}

// Waits until the page lists `count` files and every one is converted.
async function allConverted(count) {
  await page.waitForFunction((n) => {
    const rows = [...document.querySelectorAll(".file")];
    return rows.length === n && rows.every((row) => row.dataset.status === "done");
  }, count, { timeout: WAIT_MS });
}

async function savedBytes(click) {
  const [download] = await Promise.all([page.waitForEvent("download", { timeout: WAIT_MS }), click()]);
  const target = path.join(work, `saved-${Date.now()}-${download.suggestedFilename()}`);
  await download.saveAs(target);
  return { name: download.suggestedFilename(), bytes: fs.readFileSync(target) };
}

function row(name) {
  return page.locator(".file", { has: page.locator(".file-name", { hasText: name }) });
}

// The entries of a zip as read by Python's zipfile, which checks every CRC.
function zipEntries(bytes) {
  const file = path.join(work, `read-${Date.now()}.zip`);
  fs.writeFileSync(file, bytes);
  const script = "import json,sys,zipfile\nz=zipfile.ZipFile(sys.argv[1])\n" +
    "print(json.dumps({i.filename: z.read(i).hex() for i in z.infolist()}))";
  const listed = JSON.parse(execFileSync("python3", ["-c", script, file], { maxBuffer: 1 << 26 }));
  return Object.fromEntries(Object.entries(listed).map(([name, hex]) => [name, Buffer.from(hex, "hex")]));
}

async function setOption(selector, value) {
  if (typeof value === "boolean") await page.setChecked(selector, value);
  else await page.selectOption(selector, value);
}

before(async () => {
  server = await startServer(site);
  chromium = await startChromium("ko-KR");
  page = await chromium.context.newPage();
  page.setDefaultTimeout(WAIT_MS);
  await page.setViewportSize({ width: 1280, height: 1100 });
  await page.goto(server.url);
  // Ready for offline use once the page's files are kept.
  await page.evaluate(() => navigator.serviceWorker.ready);
});

after(async () => {
  await chromium?.stop();
  await server?.stop();
  fs.rmSync(work, { recursive: true, force: true });
});

test("the page speaks Korean to a Korean browser and English to others", async () => {
  assert.equal(await page.evaluate(() => document.documentElement.lang), "ko");
  assert.match(await page.textContent("#privacy"), /기기 밖으로 나가지 않습니다/);
  const english = await chromium.browser.newContext({ locale: "en-US" });
  const other = await english.newPage();
  await other.goto(server.url);
  assert.equal(await other.evaluate(() => document.documentElement.lang), "en");
  assert.match(await other.textContent("#privacy"), /never leave this device/);
  await english.close();
});

test("a CP949 and a UTF-8 file dropped together give the command line's bytes", async () => {
  await dropFiles([cp949Input, utf8Input]);
  await allConverted(2);
  for (const input of [cp949Input, utf8Input]) {
    assert.equal(await row(input.name).locator(".file-status").textContent(), "완료");
    const saved = await savedBytes(() => row(input.name).locator("button.save").click());
    assert.equal(saved.name, input.name);
    assert.deepEqual(saved.bytes, commandLineResult(input, PAGE_DEFAULTS), input.name);
  }
});

test("several results are saved as one zip", async () => {
  const saved = await savedBytes(() => page.click("#save-all"));
  assert.equal(saved.name, "Tessaline.zip");
  assert.deepEqual(zipEntries(saved.bytes), {
    [cp949Input.name]: commandLineResult(cp949Input, PAGE_DEFAULTS),
    [utf8Input.name]: commandLineResult(utf8Input, PAGE_DEFAULTS),
  });
});

test("every option converts again, as the command line's option does", async () => {
  const cases = [
    { selector: "#output-encoding", on: "cp949", off: "utf-8", args: ["--vocabulary-joints"] },
    { selector: "#joints", on: "rules", off: "vocabulary", args: ["--output-encoding", "utf-8"] },
    { selector: "#remove-hanja", on: true, off: false, args: [...PAGE_DEFAULTS, "--remove-hanja"] },
    { selector: "#blank-after-long", on: false, off: true, args: [...PAGE_DEFAULTS, "--no-blank-after-long"] },
    { selector: "#split-long", on: false, off: true, args: [...PAGE_DEFAULTS, "--no-split-long"] },
    { selector: "#footer", on: false, off: true, args: [...PAGE_DEFAULTS, "--no-footer"] },
    { selector: "#mark-joins", on: true, off: false, args: [...PAGE_DEFAULTS, "--mark-joins"] },
  ];
  for (const option of cases) {
    await setOption(option.selector, option.on);
    await allConverted(2);
    const saved = await savedBytes(() => row(cp949Input.name).locator("button.save").click());
    assert.deepEqual(saved.bytes, commandLineResult(cp949Input, option.args), option.selector);
    await setOption(option.selector, option.off);
  }
  await page.fill("#min-length", "5");
  await allConverted(2);
  const saved = await savedBytes(() => row(cp949Input.name).locator("button.save").click());
  assert.deepEqual(saved.bytes, commandLineResult(cp949Input, [...PAGE_DEFAULTS, "-m", "5"]), "min-length");
  await page.fill("#min-length", "15");
  await allConverted(2);
});

test("the joints show on request, beside the original", async () => {
  await page.setChecked("#mark-joins", true);
  await allConverted(2);
  await row(cp949Input.name).locator(".file-name").click();
  await page.waitForFunction(() => document.querySelector(".file.selected")?.dataset.original === "shown");
  const marked = commandLineResult(cp949Input, [...PAGE_DEFAULTS, "--mark-joins"]).toString("utf8");
  assert.equal(await page.locator("#result-text mark.joint").count(), marked.split("`").length - 1);
  assert.equal(await page.textContent("#original-text"), `${new TextDecoder("euc-kr").decode(cp949Input.bytes).replace(/\r\n/g, "\n")}\n`);
  if (screenshot) await page.screenshot({ path: screenshot });
  await page.setChecked("#mark-joins", false);
  await allConverted(2);
});

test("a file that is not text gets its own message, what a result lost is told, the rest is converted", async () => {
  await page.click("#clear");
  const image = { name: "표지.txt", bytes: Buffer.from([0x89, 0x50, 0x4e, 0x47, 0x0d, 0x0a, 0x1a, 0x0a, ...Array(64).fill(7)]) };
  await page.selectOption("#output-encoding", "cp949");
  await dropFiles([image, utf8Input]);
  await page.waitForFunction(() => [...document.querySelectorAll(".file")].map((r) => r.dataset.status).sort().join() === "done,failed");
  assert.equal(await row(image.name).locator(".file-status").textContent(), "파일은 텍스트가 아닙니다: PNG 그림처럼 시작합니다");
  assert.equal(await row(image.name).locator("button.save").isDisabled(), true);
  assert.equal(await row(utf8Input.name).locator(".file-warnings").textContent(),
    "주의: CP949에 없는 문자 1개를 \"?\"로 썼습니다: — ×1. UTF-8로 저장하면 그대로 남습니다");
  const saved = await savedBytes(() => page.click("#save-all"));
  assert.equal(saved.name, utf8Input.name);
  assert.deepEqual(saved.bytes, commandLineResult(utf8Input, ["--vocabulary-joints", "--output-encoding", "cp949"]));
  await page.selectOption("#output-encoding", "utf-8");
});

test("files chosen with the picker and pasted text convert as dropped ones do", async () => {
  await page.click("#clear");
  const folder = fs.mkdtempSync(path.join(work, "picked-"));
  fs.writeFileSync(path.join(folder, cp949Input.name), cp949Input.bytes);
  await page.setInputFiles("#file-input", path.join(folder, cp949Input.name));
  const pasted = "바다는 아침부터 잿빛이었다. 선착장에 모인\n사람들은 저마다 외투 깃을 세우고 발을 동동\n구르며 배를 기다렸다.\n";
  await page.click(".paste summary");
  await page.fill("#paste-text", pasted);
  await page.click("#paste-convert");
  await allConverted(2);
  const picked = await savedBytes(() => row(cp949Input.name).locator("button.save").click());
  assert.deepEqual(picked.bytes, commandLineResult(cp949Input, PAGE_DEFAULTS));
  const pastedName = "붙여넣은 글 1.txt";
  const saved = await savedBytes(() => row(pastedName).locator("button.save").click());
  assert.equal(saved.name, pastedName);
  assert.deepEqual(saved.bytes, commandLineResult({ name: pastedName, bytes: Buffer.from(pasted, "utf8") }, PAGE_DEFAULTS));
});

test("once loaded, the page converts with its server gone", async () => {
  await server.stop();
  await page.reload();
  await page.click("#clear");
  await dropFiles([utf8Input]);
  await allConverted(1);
  const saved = await savedBytes(() => row(utf8Input.name).locator("button.save").click());
  assert.deepEqual(saved.bytes, commandLineResult(utf8Input, PAGE_DEFAULTS));
});
