#pragma once

// Gives stand-alone quotations inside the line buffer paragraphs of their own.
void insert_dialogue_breaks();
