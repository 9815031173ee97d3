// Everything the page says, in Korean and in English; Korean when the browser's first
// language is Korean.
"use strict";

const PAGE_TEXTS = {
  ko: {
    title: "Tessaline — 텍스트소설 줄바꿈 자동보정",
    tagline: "짧게 끊긴 줄을 문단으로 잇고, 이음새마다 띄어쓰기를 판단합니다.",
    privacy: "파일은 이 기기 밖으로 나가지 않습니다. 변환은 모두 이 브라우저 안에서 이루어지며, 한 번 열어 둔 페이지는 인터넷 없이도 쓸 수 있습니다.",
    dropHere: "여기에 .txt 파일을 끌어다 놓으세요 (여러 개도 됩니다)",
    pick: "파일 고르기",
    pasteLabel: "또는 글을 붙여 넣으세요",
    pasteConvert: "붙여 넣은 글 변환",
    pastedName: (n) => `붙여넣은 글 ${n}.txt`,
    options: "옵션",
    minLength: "이보다 짧은 줄은 잇지 않음 (한글 글자 수)",
    removeHanja: "(한자) 제거: 낱말 뒤 괄호 속 한자를 지웁니다",
    blankAfterLong: "긴 문장 뒤 빈 줄 추가",
    markJoins: "이음새에 ` 표시 (이음새 보기)",
    splitLong: "아주 긴 문단은 문장 끝에서 나누기",
    joints: "이음새 띄어쓰기",
    jointsVocabulary: "이 소설의 어휘로 판단",
    jointsRules: "규칙으로만 판단",
    inputEncoding: "읽을 인코딩",
    inputAuto: "자동 감지",
    outputEncoding: "저장할 인코딩",
    files: "파일",
    noFiles: "아직 파일이 없습니다.",
    waiting: "기다리는 중",
    converting: "변환 중",
    done: "완료",
    save: "저장",
    saveAll: "모두 저장",
    saveZip: (n) => `${n}개 파일을 zip으로 저장`,
    remove: "빼기",
    clear: "모두 비우기",
    original: "원문",
    result: "결과",
    shownPart: (shown, total) => `앞의 ${shown.toLocaleString("ko")}자만 보입니다 (전체 ${total.toLocaleString("ko")}바이트). 저장하면 전부 들어갑니다.`,
    pickToView: "목록에서 파일을 고르면 여기에 원문과 결과가 나란히 보입니다.",
    cannotRead: (why) => `파일을 읽을 수 없습니다: ${why}`,
    outOfMemory: "메모리가 모자라 변환하지 못했습니다. 다른 탭을 닫거나 파일을 나누어 보세요.",
    engineFailed: (why) => `변환 중 오류가 났습니다: ${why}`,
    refused: (why) => `변환하지 못했습니다: ${why}`,
    engineMissing: "변환 엔진을 불러오지 못했습니다. 인터넷에 연결된 상태에서 페이지를 다시 열어 보세요.",
    zipTooLarge: "파일이 너무 많거나 커서 zip 하나로 묶을 수 없습니다. 하나씩 저장해 주세요.",
    offlineReady: "이제 인터넷 없이도 쓸 수 있습니다.",
  },
  en: {
    title: "Tessaline — line breaks of Korean novels, repaired",
    tagline: "Joins hard-wrapped lines into paragraphs and decides at every joint whether a space belongs there.",
    privacy: "Your files never leave this device. Everything is converted inside this browser, and once loaded the page works without a network.",
    dropHere: "Drop .txt files here (one or many)",
    pick: "Choose files",
    pasteLabel: "or paste text",
    pasteConvert: "Convert pasted text",
    pastedName: (n) => `pasted text ${n}.txt`,
    options: "Options",
    minLength: "Lines shorter than this are not joined (Korean characters)",
    removeHanja: "Remove Hanja glosses in parentheses after words",
    blankAfterLong: "Empty line after long paragraphs",
    markJoins: "Mark every joint with ` (show the joints)",
    splitLong: "Split very long paragraphs at sentence ends",
    joints: "Spaces at joints",
    jointsVocabulary: "decided by the novel's own vocabulary",
    jointsRules: "decided by the rules alone",
    inputEncoding: "Read as",
    inputAuto: "detect",
    outputEncoding: "Save as",
    files: "Files",
    noFiles: "No files yet.",
    waiting: "waiting",
    converting: "converting",
    done: "done",
    save: "Save",
    saveAll: "Save all",
    saveZip: (n) => `Save ${n} files as a zip`,
    remove: "Remove",
    clear: "Clear all",
    original: "Original",
    result: "Result",
    shownPart: (shown, total) => `Only the first ${shown.toLocaleString("en")} characters are shown (${total.toLocaleString("en")} bytes in all). Saving keeps everything.`,
    pickToView: "Pick a file in the list to see its original and result side by side.",
    cannotRead: (why) => `The file cannot be read: ${why}`,
    outOfMemory: "Not enough memory to convert this file. Close other tabs or split the file.",
    engineFailed: (why) => `The conversion failed: ${why}`,
    refused: (why) => `Not converted: ${why}`,
    engineMissing: "The converter could not be loaded. Open the page again while connected.",
    zipTooLarge: "Too many or too large files for one zip. Please save them one by one.",
    offlineReady: "The page now works without a network.",
  },
};

function pageLanguage(languages) {
  return (languages[0] || "").toLowerCase().startsWith("ko") ? "ko" : "en";
}

function pageTexts() {
  const languages = navigator.languages && navigator.languages.length ? navigator.languages : [navigator.language || ""];
  const language = pageLanguage(languages);
  return { language, texts: PAGE_TEXTS[language] };
}

if (typeof module !== "undefined") module.exports = { PAGE_TEXTS, pageLanguage };
