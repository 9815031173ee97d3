#pragma once

#include <string>
#include <string_view>

namespace tessaline {

// Columns a UTF-8 text takes on a terminal: East Asian wide characters (Hangul, Hanja, full-width
// forms) take two, every other character one.
size_t display_columns(std::string_view text);

// A name as a progress line shows it: bare when it holds nothing a shell would read differently,
// else quoted as in messages.
std::string shown_name(std::string_view name);

// The progress line "[index/count] name  NN%" fitted into a terminal of `columns` columns. Its
// last column stays free, since writing there makes some terminals wrap; a long name loses its
// beginning ("...") so that the file name and the percentage stay in sight.
std::string progress_line(int index, int count, std::string_view name, int percent, int columns);

}  // namespace tessaline
