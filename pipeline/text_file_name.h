#pragma once

namespace tessaline {

// A name is a text file's when its last three characters, ASCII letters lowered, are "txt": no
// dot is needed, so "mytxt" passes, and so does "a.TXT".
bool passes_text_file_test(const char* name);

}  // namespace tessaline
