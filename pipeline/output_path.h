#pragma once

#include <string>

namespace tessaline {

// Where the result of an input goes: `output_folder` when one is given, else the "Tessaline"
// folder beside the input (beside the current folder when the path names none). The result
// keeps the input's file name.
std::string output_folder_for(const std::string& input_path, const std::string& output_folder);
std::string output_path_for(const std::string& input_path, const std::string& output_folder);

// Creates the folder a result goes into; with `parents`, missing folders above it too.
bool create_output_folder(const std::string& folder, bool parents);

}  // namespace tessaline
