// A local server for the built page and Debian's Chromium, headless with a fresh profile, driven
// by playwright-core over the DevTools protocol. Both are started as our own processes and
// stopped by their process ids.
import { spawn } from "node:child_process";
import fs from "node:fs";
import os from "node:os";
import path from "node:path";
import { chromium } from "playwright-core";

const CHROMIUM = process.env.CHROMIUM || "/usr/bin/chromium";
const CHROMIUM_FLAGS = [
  "--headless", "--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run",
  "--disable-background-networking", "--disable-component-update", "--disable-sync",
];
const START_TIMEOUT_MS = 60000;

// Resolves with the first match of `pattern` in the process's output.
function announced(child, stream, pattern, what) {
  return new Promise((resolve, reject) => {
    let heard = "";
    const timer = setTimeout(() => reject(new Error(`${what} did not start: ${heard}`)), START_TIMEOUT_MS);
    child[stream].on("data", (chunk) => {
      heard += chunk;
      const match = heard.match(pattern);
      if (!match) return;
      clearTimeout(timer);
      resolve(match);
    });
    child.on("exit", (code) => reject(new Error(`${what} ended (${code}) before it started: ${heard}`)));
  });
}

function stopped(child) {
  if (child.exitCode !== null || child.signalCode !== null) return Promise.resolve();
  return new Promise((resolve) => {
    child.on("exit", resolve);
    process.kill(child.pid, "SIGTERM");
  });
}

// Serves `site` on a free port of 127.0.0.1.
export async function startServer(site) {
  const server = spawn("python3", ["-u", "-m", "http.server", "0", "--bind", "127.0.0.1", "--directory", site],
    { stdio: ["ignore", "pipe", "pipe"] });
  const [, port] = await announced(server, "stdout", /port (\d+)/, "the page's server");
  return { url: `http://127.0.0.1:${port}/`, stop: () => stopped(server) };
}

// Chromium in `language` (such as "ko-KR"), connected to playwright-core.
export async function startChromium(language) {
  const profile = fs.mkdtempSync(path.join(os.tmpdir(), "tessaline-chromium-"));
  const browserProcess = spawn(CHROMIUM, [...CHROMIUM_FLAGS, `--user-data-dir=${profile}`, `--lang=${language}`, `--accept-lang=${language}`,
    "--remote-debugging-port=0", "about:blank"], { stdio: ["ignore", "ignore", "pipe"], env: { ...process.env, LANGUAGE: language } });
  const [, endpoint] = await announced(browserProcess, "stderr", /DevTools listening on (ws:\/\/\S+)/, "Chromium");
  const browser = await chromium.connectOverCDP(endpoint);
  return {
    browser,
    context: browser.contexts()[0],
    stop: async () => {
      await browser.close().catch(() => {});
      await stopped(browserProcess);
      // Helper processes may still be leaving the profile for a moment.
      fs.rmSync(profile, { recursive: true, force: true, maxRetries: 10, retryDelay: 200 });
    },
  };
}
