#pragma once

// Copies the output text into the second-pass buffer, splitting very long paragraphs and adding empty lines after long ones.
void long_sentence_pass();
