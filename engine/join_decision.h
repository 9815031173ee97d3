#pragma once

// Decides whether the line in the line buffer keeps its line break (returns false) or is joined
// to the next line (returns true, with the joint prepared for the spacing rules).
bool decide_line_end();
