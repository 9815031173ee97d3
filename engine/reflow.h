#pragma once

#include <cstdint>

struct ProgressView;

// Reflows the source text under conversion_options: the whole engine short of writing the file.
// Afterwards final_text() holds the result.
void reflow_document(const ProgressView* view);

// The final text: the second-pass buffer when it holds text, else the output text.
unsigned char* final_text();
uint32_t final_text_length();
