// The original and the result side by side. Long novels show their beginning only: the page
// stays quick, and the saved file holds everything.
"use strict";

const VIEW_BYTES = 200000;
const JOIN_MARK = "`";

// The labels TextDecoder knows the engine's encodings by; WHATWG's euc-kr is CP949.
const DECODER_LABELS = { cp949: "euc-kr", "utf-8": "utf-8", "utf-16le": "utf-16le" };

// The text of the first VIEW_BYTES bytes, a character cut at the end left out.
function viewedText(bytes, encoding) {
  const decoder = new TextDecoder(DECODER_LABELS[encoding] || "utf-8");
  return decoder.decode(bytes.subarray(0, VIEW_BYTES), { stream: bytes.length > VIEW_BYTES });
}

// Fills the element with the text; with `marks`, every join mark is highlighted.
function showText(element, text, marks) {
  element.replaceChildren();
  if (!marks) {
    element.textContent = text;
    return;
  }
  const parts = text.split(JOIN_MARK);
  const fragment = document.createDocumentFragment();
  parts.forEach((part, k) => {
    if (k > 0) {
      const mark = document.createElement("mark");
      mark.className = "joint";
      mark.textContent = JOIN_MARK;
      fragment.append(mark);
    }
    fragment.append(part);
  });
  element.append(fragment);
}

// Shows a file's original and, when it is converted, its result.
function showFile(view, file, texts) {
  view.placeholder.hidden = true;
  view.panes.hidden = false;
  const original = viewedText(file.bytes, file.readAs || "utf-8");
  showText(view.original, original, false);
  view.originalNote.textContent = file.bytes.length > VIEW_BYTES ? texts.shownPart(original.length, file.bytes.length) : "";
  if (!file.result) {
    view.result.replaceChildren();
    view.resultNote.textContent = "";
    return;
  }
  const result = viewedText(file.result, file.savedAs);
  showText(view.result, result, file.markJoins);
  view.resultNote.textContent = file.result.length > VIEW_BYTES ? texts.shownPart(result.length, file.result.length) : "";
}
