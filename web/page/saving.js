// Saving results as files: one as its .txt, several as one .zip.
"use strict";

const ZIP_NAME = "Tessaline.zip";

function saveBytes(name, bytes, type) {
  const url = URL.createObjectURL(new Blob([bytes], { type }));
  const link = document.createElement("a");
  link.href = url;
  link.download = name;
  document.body.append(link);
  link.click();
  link.remove();
  // The download has its own copy once it starts.
  setTimeout(() => URL.revokeObjectURL(url), 60000);
}

// Names made unique for one archive: a second "a.txt" becomes "a (2).txt".
function uniqueNames(names) {
  const taken = new Set();
  return names.map((name) => {
    const dot = name.lastIndexOf(".");
    const stem = dot > 0 ? name.slice(0, dot) : name;
    const extension = dot > 0 ? name.slice(dot) : "";
    let unique = name;
    for (let n = 2; taken.has(unique.toLowerCase()); n++) unique = `${stem} (${n})${extension}`;
    taken.add(unique.toLowerCase());
    return unique;
  });
}

function saveResults(files) {
  if (files.length === 1) {
    saveBytes(files[0].name, files[0].result, "text/plain");
    return;
  }
  const names = uniqueNames(files.map((file) => file.name));
  const zip = makeZip(files.map((file, k) => ({ name: names[k], bytes: file.result })));
  saveBytes(ZIP_NAME, zip, "application/zip");
}

if (typeof module !== "undefined") module.exports = { uniqueNames };
