#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

#include "platform/platform.h"

namespace tessaline {

// The command line's own texts, each in English and in Korean. One language serves a whole run:
// Korean under a "ko" locale, English otherwise. A text's %1 to %9 stand for its arguments, so
// each language puts them where its word order wants them.
enum class Text {
    try_help,
    usage_line,
    help,
    unknown_option,
    option_takes_no_value,
    option_needs_value,
    unknown_input_encoding,
    unknown_output_encoding,
    output_dir_needs_name,
    bad_min_length,
    bad_jobs,
    no_path,
    stdin_needs_stdout,
    stdin_only_once,
    output_dir_with_stdout,
    output_dir_with_stdin,
    would_replace_result,
    path_too_long,
    cannot_list,
    nothing_to_convert,
    lossy_heading,
    not_converted_heading,
    summary,
    saved_beside,
    saved_into,
    interrupted,
};

void choose_korean(bool korean);
bool korean_chosen();

// The text with its arguments put in; a missing argument leaves its mark as it stands. Names and
// other text the user gave arrive quoted (quoted_name), so none reaches the terminal raw.
std::string message(Text text, std::initializer_list<std::string_view> arguments = {});

// Why the last failed platform call failed, in the run's language.
std::string platform_reason();

// A platform failure of this kind in Korean; empty for `other`.
std::string korean_reason(PlatformErrorKind kind);

}  // namespace tessaline
