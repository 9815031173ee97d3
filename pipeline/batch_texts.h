#pragma once

#include <string>
#include <vector>

namespace tessaline {

// The status-line and message-box texts of a run, as CP949 bytes. The messages name the
// Tessaline folder only when `saved_in_tessaline` says the results went there.

// "N / k 번째파일 처리중.." before each file of a multiple run.
std::string progress_status(int file_count, int file_number);

// The end of a run in which every file was converted; a single-file run has a status text of
// its own and the message of a list of one.
std::string finished_status(int file_count);
std::string finished_message(int file_count, bool saved_in_tessaline);
extern const char single_finished_status[];

// The end of a run in which the named files could not be loaded or written; `converted` files
// were converted.
std::string failed_status(int converted, const std::vector<std::string>& failed_names);
std::string failed_message(int converted, const std::vector<std::string>& failed_names, bool saved_in_tessaline);

}  // namespace tessaline
