#pragma once

#include <string>

// Where the output of an input path goes: run_settings.output_dir when it is set, else the
// "Tessaline" folder beside the input (beside the current folder when the path names none).
// The output keeps the input's file name.
std::string output_folder_for(const char* input_path);
std::string output_path_for(const char* input_path);

// Creates the output folder; for an output_dir, missing parent folders are created too.
bool create_output_folder(const std::string& folder);
