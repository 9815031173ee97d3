// The page: files in, options, a row with a progress bar per file, the view, saving.
"use strict";

const { language, texts } = pageTexts();
const files = [];
const jobs = new Map();   // job id -> {file, generation, settings}
const pool = new ConversionPool(heard);
let nextFileId = 1;
let nextJobId = 1;
let pastedCount = 0;
let selected = null;
let lastSettings = "";

const $ = (id) => document.getElementById(id);
const view = {
  placeholder: $("view-placeholder"), panes: $("view-panes"),
  original: $("original-text"), originalNote: $("original-note"),
  result: $("result-text"), resultNote: $("result-note"),
};

function applyTexts() {
  document.documentElement.lang = language;
  document.title = texts.title;
  for (const element of document.querySelectorAll("[data-text]")) element.textContent = texts[element.dataset.text];
}

function settingsFromForm() {
  const minLength = Number.parseInt($("min-length").value, 10);
  return {
    minLength: Number.isFinite(minLength) && minLength > 0 ? minLength : 0,
    removeHanja: $("remove-hanja").checked,
    blankAfterLong: $("blank-after-long").checked,
    markJoins: $("mark-joins").checked,
    splitLong: $("split-long").checked,
    footer: $("footer").checked,
    joints: $("joints").value,
    inputEncoding: $("input-encoding").value,
    outputEncoding: $("output-encoding").value,
  };
}

function convertFile(file) {
  file.generation += 1;
  Object.assign(file, { status: "waiting", progress: 0, result: null, original: null, message: "", warnings: [] });
  const id = nextJobId++;
  const settings = settingsFromForm();
  jobs.set(id, { file, generation: file.generation, settings });
  pool.drop((jobId) => jobs.get(jobId)?.file === file && jobId !== id);
  pool.convert({ id, blob: file.blob, settings });
  updateRow(file);
}

function heard(message) {
  const job = jobs.get(message.id);
  if (!job) return;
  if (message.type === "original" || message.type === "failed") jobs.delete(message.id);
  const { file } = job;
  if (job.generation !== file.generation || !files.includes(file)) return;
  if (message.type === "progress") {
    Object.assign(file, { status: "converting", progress: message.fraction });
  } else if (message.type === "done") {
    Object.assign(file, { status: "done", progress: 1, result: new Uint8Array(message.bytes), warnings: message.warnings,
      savedAs: job.settings.outputEncoding, markJoins: job.settings.markJoins });
  } else if (message.type === "original") {
    file.original = { text: message.text, cut: message.cut };
  } else {
    Object.assign(file, { status: "failed", message: failureText(message) });
  }
  updateRow(file);
  if (file === selected && message.type !== "progress") showFile(view, file, texts);
  updateSaveAll();
}

function failureText(message) {
  if (message.reason === "memory") return texts.outOfMemory;
  if (message.reason === "unreadable") return texts.cannotRead(message.detail);
  if (message.reason === "unavailable") return texts.engineMissing;
  if (message.reason === "refused") return texts.refused(engineWording(message.detail));
  return texts.engineFailed(message.detail);
}

// A file is kept as the browser gives it (a File, or a Blob of pasted text): the worker reads
// its bytes, so the page never holds or copies them.
// The engine's reason or warning in the page's language, its advice put as the page's controls.
function engineWording(wording) {
  return texts.asControls(wording[language]);
}

function addFile(name, blob) {
  const file = { id: nextFileId++, name, blob, generation: 0, row: null };
  files.push(file);
  file.row = newRow(file);
  $("file-list").append(file.row.item);
  $("no-files").hidden = true;
  convertFile(file);
  if (!selected) select(file);
}

function newRow(file) {
  const item = document.createElement("li");
  item.className = "file";
  const name = document.createElement("button");
  name.className = "file-name";
  name.textContent = file.name;
  name.onclick = () => select(file);
  const progress = document.createElement("progress");
  progress.max = 1;
  const status = document.createElement("span");
  status.className = "file-status";
  const warnings = document.createElement("ul");
  warnings.className = "file-warnings";
  const save = document.createElement("button");
  save.className = "save";
  save.textContent = texts.save;
  save.onclick = () => saveResults([file]);
  const remove = document.createElement("button");
  remove.className = "remove";
  remove.textContent = texts.remove;
  remove.onclick = () => removeFile(file);
  item.append(name, progress, status, save, remove, warnings);
  return { item, progress, status, save, warnings };
}

function updateRow(file) {
  const { item, progress, status, save, warnings } = file.row;
  progress.value = file.progress || 0;
  progress.hidden = file.status === "failed";
  status.textContent = file.status === "failed" ? file.message : texts[file.status];
  item.dataset.status = file.status;
  item.dataset.original = file.original ? "shown" : "";
  save.disabled = file.status !== "done";
  warnings.replaceChildren(...(file.warnings || []).map((warning) => {
    const line = document.createElement("li");
    line.textContent = texts.warning(engineWording(warning));
    return line;
  }));
}

function removeFile(file) {
  files.splice(files.indexOf(file), 1);
  file.row.item.remove();
  if (selected === file) {
    selected = null;
    view.placeholder.hidden = false;
    view.panes.hidden = true;
  }
  $("no-files").hidden = files.length > 0;
  updateSaveAll();
}

function select(file) {
  selected = file;
  for (const other of files) other.row.item.classList.toggle("selected", other === file);
  if (file.status !== "failed") showFile(view, file, texts);
}

function doneFiles() {
  return files.filter((file) => file.status === "done");
}

function updateSaveAll() {
  const done = doneFiles();
  $("save-all").disabled = done.length === 0;
  $("save-all").textContent = done.length > 1 ? texts.saveZip(done.length) : texts.saveAll;
}

function saveAll() {
  try {
    saveResults(doneFiles());
  } catch (error) {
    if (!(error instanceof RangeError)) throw error;
    $("page-message").textContent = texts.zipTooLarge;
    $("page-message").classList.add("failed");
  }
}

function addPicked(picked) {
  for (const file of picked) addFile(file.name, file);
}

// A dropped folder gives the files directly in it whose names end in "txt", as the command line
// takes a folder.
function folderFiles(entry) {
  return new Promise((resolve) => {
    const found = [];
    const reader = entry.createReader();
    const readMore = () => reader.readEntries((entries) => {
      if (entries.length === 0) {
        Promise.all(found).then(resolve);
        return;
      }
      for (const child of entries)
        if (child.isFile && /txt$/i.test(child.name)) found.push(new Promise((done, failed) => child.file(done, failed)));
      readMore();
    }, () => resolve([]));
    readMore();
  });
}

async function droppedFiles(transfer) {
  const picked = [];
  for (const item of [...transfer.items].filter((it) => it.kind === "file")) {
    const entry = item.webkitGetAsEntry ? item.webkitGetAsEntry() : null;
    if (entry && entry.isDirectory) picked.push(...await folderFiles(entry));
    else picked.push(item.getAsFile());
  }
  return picked.filter(Boolean);
}

function listenForDrops() {
  const zone = $("drop-zone");
  document.addEventListener("dragover", (event) => {
    event.preventDefault();
    zone.classList.add("dragging");
  });
  document.addEventListener("dragleave", (event) => {
    if (event.relatedTarget === null) zone.classList.remove("dragging");
  });
  document.addEventListener("drop", async (event) => {
    event.preventDefault();
    zone.classList.remove("dragging");
    addPicked(await droppedFiles(event.dataTransfer));
  });
}

function listen() {
  listenForDrops();
  $("file-input").onchange = (event) => {
    addPicked([...event.target.files]);
    event.target.value = "";
  };
  $("paste-convert").onclick = () => {
    const text = $("paste-text").value;
    if (text.length === 0) return;
    pastedCount += 1;
    addFile(texts.pastedName(pastedCount), new Blob([new TextEncoder().encode(text)]));
  };
  // A number typed converts at once; leaving the field afterwards changes nothing more.
  lastSettings = JSON.stringify(settingsFromForm());
  $("options").oninput = $("options").onchange = () => {
    const settings = JSON.stringify(settingsFromForm());
    if (settings === lastSettings) return;
    lastSettings = settings;
    files.forEach(convertFile);
  };
  $("save-all").onclick = saveAll;
  $("clear").onclick = () => [...files].forEach(removeFile);
}

function workOffline() {
  if (!("serviceWorker" in navigator)) return;
  navigator.serviceWorker.register("offline.js").then((registration) => {
    if (!navigator.serviceWorker.controller) registration.addEventListener("updatefound", () => {
      registration.installing?.addEventListener("statechange", (event) => {
        if (event.target.state !== "activated") return;
        $("page-message").textContent = texts.offlineReady;
        $("page-message").classList.remove("failed");
      });
    });
  }).catch(() => {});
}

applyTexts();
listen();
updateSaveAll();
pool.warmUp();
workOffline();
