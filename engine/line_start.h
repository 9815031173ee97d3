#pragma once

// Tidies both ends of the line in the line buffer and separates it from the output text as its opening and the previous line's closing quote ask.
void normalise_line_start();
