// Measures the page's whole conversion of one file in headless Chromium: from the drop of the
// file to its result being ready (reading it, handing it to a worker, detecting and decoding,
// the engine, encoding, handing the result back), beside the native command line's whole run on
// the same file with the same options (start, read, convert, write). Prints a Markdown table:
// per setting, the page's first run on a freshly loaded page, the best of the runs after it, and
// the command line's best run, in MB/s (1 MB = 2^20 bytes). Each best run is given by the clock and
// by the processor time spent (all of Chromium's processes; the command line's user and system
// time), which a machine busy with other work slows far less.
// Usage: node bench_page.mjs SITE_FOLDER COMMAND_LINE INPUT_FILE [RUNS]
import { execFileSync } from "node:child_process";
import fs from "node:fs";
import os from "node:os";
import path from "node:path";
import { startChromium, startServer } from "./browser_session.mjs";

const [site, cli, input, runsText] = process.argv.slice(2);
const RUNS = Number(runsText || 5);
const MEGABYTE = 1 << 20;
// The page's controls and the command line's options for each setting measured.
const SETTINGS = [
  { name: "page defaults: vocabulary joints, UTF-8 result", controls: {}, args: ["--joints", "vocabulary", "--output-encoding", "utf-8"] },
  { name: "rules, CP949 result", controls: { "#joints": "rules", "#output-encoding": "cp949" }, args: ["--joints", "rules", "--output-encoding", "cp949"] },
];

// Reads the file named `name` (served beside the page) into a File, outside the measured time.
function prepareFile(fileName) {
  return (async () => {
    const bytes = await (await fetch(fileName)).arrayBuffer();
    document.getElementById("clear").click();
    window.benchFile = new File([bytes], fileName);
  })();
}

// Drops the prepared file and resolves with the milliseconds until its row says it is done.
function timedConversion() {
  return (async () => {
    const transfer = new DataTransfer();
    transfer.items.add(window.benchFile);
    const list = document.getElementById("file-list");
    const done = new Promise((resolve) => {
      const observer = new MutationObserver(() => {
        const row = list.querySelector(".file");
        if (row?.dataset.status !== "done" && row?.dataset.status !== "failed") return;
        observer.disconnect();
        resolve(row.dataset.status);
      });
      observer.observe(list, { attributes: true, subtree: true, childList: true });
    });
    const start = performance.now();
    document.dispatchEvent(new DragEvent("drop", { dataTransfer: transfer, bubbles: true, cancelable: true }));
    const status = await done;
    if (status !== "done") throw new Error(`the conversion failed: ${list.textContent}`);
    return performance.now() - start;
  })();
}

const served = fs.mkdtempSync(path.join(path.dirname(path.resolve(site)), "build-web-bench-"));
fs.cpSync(site, served, { recursive: true });
const name = path.basename(input);
fs.copyFileSync(input, path.join(served, name));
const megabytes = fs.statSync(input).size / MEGABYTE;

// The command line's runs: milliseconds by the clock and of processor time (bash's `times`
// gives its children's user and system time).
function commandLineRuns(args) {
  const out = fs.mkdtempSync(path.join(os.tmpdir(), "tessaline-bench-"));
  const runs = [];
  for (let run = 0; run < RUNS; run++) {
    const start = process.hrtime.bigint();
    const times = execFileSync("bash", ["-c", '"$@" && times', "run", cli, "-q", "-o", out, ...args, input]).toString();
    const wall = Number(process.hrtime.bigint() - start) / 1e6;
    const [user, system] = [...times.trim().split("\n")[1].matchAll(/(\d+)m([\d.]+)s/g)].map((m) => 60 * m[1] + Number(m[2]));
    runs.push({ wall, cpu: (user + system) * 1000 });
  }
  fs.rmSync(out, { recursive: true, force: true });
  return runs;
}

// Processor time of all of Chromium's processes so far, in milliseconds.
async function chromiumTime(session) {
  const { processInfo } = await session.send("SystemInfo.getProcessInfo");
  return processInfo.reduce((sum, process) => sum + process.cpuTime * 1000, 0);
}

async function pageRuns(page, session) {
  const runs = [];
  for (let run = 0; run <= RUNS; run++) {
    await page.evaluate(prepareFile, name);
    const before = await chromiumTime(session);
    const wall = await page.evaluate(timedConversion);
    runs.push({ wall, cpu: (await chromiumTime(session)) - before });
    // The original is read again for the view after the result is out; the next run waits for it.
    await page.waitForFunction(() => document.querySelector(".file")?.dataset.original === "shown", null, { timeout: 120000 });
  }
  return runs;
}

const speed = (milliseconds) => (megabytes / (milliseconds / 1000)).toFixed(1);
const best = (runs, key) => speed(Math.min(...runs.map((run) => run[key])));

const server = await startServer(served);
const chromium = await startChromium("ko-KR");
try {
  const session = await chromium.browser.newBrowserCDPSession();
  console.log(`| ${megabytes.toFixed(0)} MB file | page, first run | page, best of ${RUNS} | page, processor time | ` +
    `command line, best of ${RUNS} | command line, processor time |`);
  console.log("|---|---:|---:|---:|---:|---:|");
  for (const setting of SETTINGS) {
    const page = await chromium.context.newPage();
    await page.goto(server.url);
    for (const [selector, value] of Object.entries(setting.controls)) await page.selectOption(selector, value);
    const [first, ...later] = await pageRuns(page, session);
    await page.close();
    const native = commandLineRuns(setting.args);
    console.log(`| ${setting.name} | ${speed(first.wall)} | ${best(later, "wall")} | ${best(later, "cpu")} | ` +
      `${best(native, "wall")} | ${best(native, "cpu")} |`);
  }
} finally {
  await chromium.stop();
  await server.stop();
  fs.rmSync(served, { recursive: true, force: true });
}
