#pragma once

namespace tessaline {

// Command ids of the main window's controls; the label and the two bars have none.
constexpr int ID_SPLIT_LONG_SENTENCES = 1;
constexpr int ID_REMOVE_HANJA = 2;
constexpr int ID_BLANK_AFTER_LONG = 3;
constexpr int ID_MARK_JOINS = 4;
constexpr int ID_OPEN = 10;
constexpr int ID_CONVERT = 12;
constexpr int ID_STATUS = 14;
constexpr int ID_EXIT = 15;
constexpr int ID_MIN_LENGTH = 16;
constexpr int ID_PATH = 100;
constexpr int ID_PREVIEW = 300;

}  // namespace tessaline
