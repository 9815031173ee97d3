#pragma once

// Squeezes every inner run of spaces in the line buffer to one space.
void squeeze_spaces();
