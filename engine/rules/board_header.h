#pragma once

namespace tessaline {

struct LineText;

// A bulletin-board header line such as "제목: ..." or "조회수 : ...".
bool is_board_header_line(const LineText& line);

}  // namespace tessaline
