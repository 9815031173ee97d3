#pragma once

namespace tessaline {

struct Conversion;

// Decides whether the current line keeps its line break (returns false) or is joined to the next
// line (returns true, with the joint prepared for the spacing rules).
bool decide_line_end(Conversion& cv);

// Joins the current line to the next one: cuts its line break, adds what a blank, numbered or
// separator next line calls for, and prepares the joint for the spacing rules.
void join_next_line(Conversion& cv);

}  // namespace tessaline
