#pragma once

namespace tessaline {

// Command ids of the main window's controls; the label and the two bars have none.
constexpr int id_split_long_sentences = 1;
constexpr int id_remove_hanja = 2;
constexpr int id_blank_after_long = 3;
constexpr int id_mark_joins = 4;
constexpr int id_open = 10;
constexpr int id_convert = 12;
constexpr int id_status = 14;
constexpr int id_exit = 15;
constexpr int id_min_length = 16;
constexpr int id_path = 100;
constexpr int id_preview = 300;

}  // namespace tessaline
