// Measures the page's whole conversion of one file in headless Chromium: from the drop of the
// file to its result being ready (reading it, handing it to a worker, detecting and decoding,
// the engine, encoding, handing the result back), under the page's default options and under
// the rules with CP949 output. Prints one line per setting: the first run on a freshly loaded page
// and the best of the runs after it, in MB/s (1 MB = 2^20 bytes).
// Usage: node bench_page.mjs SITE_FOLDER INPUT_FILE [RUNS]
import fs from "node:fs";
import path from "node:path";
import { startChromium, startServer } from "./browser_session.mjs";

const [site, input, runsText] = process.argv.slice(2);
const RUNS = Number(runsText || 5);
const MEGABYTE = 1 << 20;
const SETTINGS = [
  { name: "defaults (vocabulary joints, UTF-8 result)", options: {} },
  { name: "rules, CP949 result", options: { "#joints": "rules", "#output-encoding": "cp949" } },
];

// Drops the file named `name` (served beside the page) and resolves with the milliseconds until
// its row says it is done.
function timedConversion(name) {
  return (async (fileName) => {
    const bytes = await (await fetch(fileName)).arrayBuffer();
    document.getElementById("clear").click();
    const transfer = new DataTransfer();
    transfer.items.add(new File([bytes], fileName));
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
  })(name);
}

const served = fs.mkdtempSync(path.join(path.dirname(path.resolve(site)), "build-web-bench-"));
fs.cpSync(site, served, { recursive: true });
const name = path.basename(input);
fs.copyFileSync(input, path.join(served, name));
const megabytes = fs.statSync(input).size / MEGABYTE;

const server = await startServer(served);
const chromium = await startChromium("ko-KR");
try {
  for (const setting of SETTINGS) {
    const page = await chromium.context.newPage();
    await page.goto(server.url);
    for (const [selector, value] of Object.entries(setting.options)) await page.selectOption(selector, value);
    const times = [];
    for (let run = 0; run <= RUNS; run++) times.push(await page.evaluate(timedConversion, name));
    const first = megabytes / (times[0] / 1000);
    const best = megabytes / (Math.min(...times.slice(1)) / 1000);
    console.log(`${setting.name}\t${megabytes.toFixed(1)} MB\tfirst ${first.toFixed(1)} MB/s\tbest of ${RUNS} ${best.toFixed(1)} MB/s`);
    await page.close();
  }
} finally {
  await chromium.stop();
  await server.stop();
  fs.rmSync(served, { recursive: true, force: true });
}
