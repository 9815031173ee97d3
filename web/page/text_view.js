// The original and the result side by side. Long novels show their beginning only: the page
// stays quick, and the saved file holds everything.
"use strict";

const VIEW_BYTES = 200000;
const JOIN_MARK = "`";

// The text of a result's first VIEW_BYTES bytes, a character cut at the end left out. A result
// written "as read" is CP949 when its input was, which is seldom valid UTF-8; WHATWG's euc-kr is
// CP949.
function viewedText(bytes, savedAs) {
  const shown = bytes.subarray(0, VIEW_BYTES);
  const options = { stream: bytes.length > VIEW_BYTES };
  if (savedAs === "cp949") return new TextDecoder("euc-kr").decode(shown, options);
  try {
    return new TextDecoder("utf-8", { fatal: true }).decode(shown, options);
  } catch {
    return new TextDecoder(savedAs === "same" ? "euc-kr" : "utf-8").decode(shown, options);
  }
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

// Shows a converted file's result and, once it has been read for showing, its original as the
// engine read it; a file still on its way shows nothing yet.
function showFile(view, file, texts) {
  view.placeholder.hidden = true;
  view.panes.hidden = false;
  if (!file.result) {
    for (const element of [view.original, view.result, view.originalNote, view.resultNote]) element.replaceChildren();
    return;
  }
  const original = file.original || { text: "", cut: false };
  showText(view.original, original.text, false);
  view.originalNote.textContent = original.cut ? texts.shownPart(original.text.length, file.blob.size) : "";
  const result = viewedText(file.result, file.savedAs);
  showText(view.result, result, file.markJoins);
  view.resultNote.textContent = file.result.length > VIEW_BYTES ? texts.shownPart(result.length, file.result.length) : "";
}
