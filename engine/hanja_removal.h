#pragma once

// Removes parenthesised glosses exactly as long as the word before them.
void remove_hanja_glosses();
