// A few workers, each converting one file at a time; files wait in line for the next free one.
"use strict";

// More workers than this only add memory: each holds its own engine and file.
const MOST_WORKERS = 4;

class ConversionPool {
  // listener(message) receives every message of the workers: progress, done, failed.
  constructor(listener) {
    this.listener = listener;
    this.size = Math.max(1, Math.min(navigator.hardwareConcurrency || 2, MOST_WORKERS));
    this.idle = [];
    this.busy = new Map();   // worker -> job id
    this.waiting = [];
  }

  // Starts one worker ahead of the first file, so its engine is compiled while the reader
  // chooses files.
  warmUp() {
    if (this.idle.length + this.busy.size === 0) this.idle.push(this.newWorker());
  }

  // Queues a job {id, blob, settings}.
  convert(job) {
    this.waiting.push(job);
    this.startWaiting();
  }

  // Drops the waiting jobs the test refuses; a running one finishes and is reported as usual.
  drop(test) {
    this.waiting = this.waiting.filter((job) => !test(job.id));
  }

  startWaiting() {
    while (this.waiting.length > 0) {
      const worker = this.idle.pop() || this.newWorker();
      if (!worker) return;
      const job = this.waiting.shift();
      this.busy.set(worker, job.id);
      worker.postMessage(job);
    }
  }

  newWorker() {
    if (this.busy.size + this.idle.length >= this.size) return null;
    const worker = new Worker("conversion_worker.js");
    worker.onmessage = ({ data }) => this.heard(worker, data);
    worker.onerror = (event) => this.heard(worker, { type: "failed", id: this.busy.get(worker), reason: "unavailable", detail: event.message });
    return worker;
  }

  heard(worker, message) {
    if (message.type === "done" || message.type === "failed") {
      this.busy.delete(worker);
      this.idle.push(worker);
    }
    if (message.id !== undefined) this.listener(message);
    this.startWaiting();
  }
}
