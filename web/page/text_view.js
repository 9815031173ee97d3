// The original and the result side by side. Long novels show their beginning only: the page
// stays quick, and the saved file holds everything.
"use strict";

const VIEW_BYTES = 200000;
const JOIN_MARK = "`";

// The labels TextDecoder knows the results' encodings by; WHATWG's euc-kr is CP949.
const DECODER_LABELS = { cp949: "euc-kr", "utf-8": "utf-8" };

// The text of the first VIEW_BYTES bytes, a character cut at the end left out.
function viewedText(bytes, encoding) {
  const decoder = new TextDecoder(DECODER_LABELS[encoding] || "utf-8");
  return decoder.decode(bytes.subarray(0, VIEW_BYTES), { stream: bytes.length > VIEW_BYTES });
}

// Lines go into blocks of this many, so the browser lays out only the blocks in sight (page.css
// gives them content-visibility).
const BLOCK_LINES = 40;

function block(lines, marks) {
  const shown = document.createElement("div");
  shown.className = "block";
  const text = lines.join("\n") + "\n";
  const parts = marks ? text.split(JOIN_MARK) : [text];
  parts.forEach((part, k) => {
    if (k > 0) {
      const mark = document.createElement("mark");
      mark.className = "joint";
      mark.textContent = JOIN_MARK;
      shown.append(mark);
    }
    shown.append(part);
  });
  return shown;
}

// Fills the element with the text; with `marks`, every join mark is highlighted.
function showText(element, text, marks) {
  const lines = text.split(/\r?\n/);
  const fragment = document.createDocumentFragment();
  for (let at = 0; at < lines.length; at += BLOCK_LINES) fragment.append(block(lines.slice(at, at + BLOCK_LINES), marks));
  element.replaceChildren(fragment);
}

// Shows a converted file's original, as the engine read it, and its result; a file still on its
// way shows nothing yet.
function showFile(view, file, texts) {
  view.placeholder.hidden = true;
  view.panes.hidden = false;
  if (!file.result) {
    for (const element of [view.original, view.result, view.originalNote, view.resultNote]) element.replaceChildren();
    return;
  }
  showText(view.original, file.original, false);
  view.originalNote.textContent = file.originalCut ? texts.shownPart(file.original.length, file.bytes.length) : "";
  const result = viewedText(file.result, file.savedAs);
  showText(view.result, result, file.markJoins);
  view.resultNote.textContent = file.result.length > VIEW_BYTES ? texts.shownPart(result.length, file.result.length) : "";
}
