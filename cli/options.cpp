#include "cli/options.h"

#include "cli/messages.h"
#include "cli/name_quoting.h"

namespace tessaline {

namespace {

enum class Option {
    MIN_LENGTH,
    REMOVE_HANJA,
    NO_BLANK_AFTER_LONG,
    MARK_JOINS,
    NO_SPLIT_LONG,
    JOINTS,
    VOCABULARY_JOINTS,
    DICTIONARY,
    INPUT_ENCODING,
    OUTPUT_ENCODING,
    OUTPUT_DIR,
    RECURSIVE,
    FOLLOW_LINKS,
    NO_FOOTER,
    JOBS,
    TO_STDOUT,
    QUIET,
    HELP,
    VERSION,
};

struct OptionName {
    const char* long_name;
    char short_name;  // 0: none
    bool takes_value;
    Option option;
};

constexpr OptionName option_names[] = {
    {"min-length", 'm', true, Option::MIN_LENGTH},
    {"remove-hanja", 0, false, Option::REMOVE_HANJA},
    {"no-blank-after-long", 0, false, Option::NO_BLANK_AFTER_LONG},
    {"mark-joins", 0, false, Option::MARK_JOINS},
    {"no-split-long", 0, false, Option::NO_SPLIT_LONG},
    {"joints", 0, true, Option::JOINTS},
    {"vocabulary-joints", 0, false, Option::VOCABULARY_JOINTS},
    {"dictionary", 0, true, Option::DICTIONARY},
    {"input-encoding", 0, true, Option::INPUT_ENCODING},
    {"output-encoding", 0, true, Option::OUTPUT_ENCODING},
    {"output-dir", 'o', true, Option::OUTPUT_DIR},
    {"recursive", 'r', false, Option::RECURSIVE},
    {"follow-links", 0, false, Option::FOLLOW_LINKS},
    {"no-footer", 0, false, Option::NO_FOOTER},
    {"jobs", 'j', true, Option::JOBS},
    {"stdout", 0, false, Option::TO_STDOUT},
    {"quiet", 'q', false, Option::QUIET},
    {"help", 'h', false, Option::HELP},
    {"version", 0, false, Option::VERSION},
};

const OptionName* find_long(const std::string& name) {
    for (const auto& entry : option_names)
        if (name == entry.long_name) return &entry;
    return nullptr;
}

const OptionName* find_short(char name) {
    for (const auto& entry : option_names)
        if (entry.short_name != 0 && entry.short_name == name) return &entry;
    return nullptr;
}

// More files at once than this only queue for the same cores.
constexpr unsigned most_jobs = 1024;

// A whole number from 1 to most_jobs, in decimal digits only; 0 when the text is none.
unsigned jobs_named(const std::string& text) {
    if (text.empty() || text.size() > 4) return 0;
    unsigned value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return 0;
        value = value * 10 + static_cast<unsigned>(c - '0');
    }
    return value <= most_jobs ? value : 0;
}

// False when the name is none of the joint modes; any case is accepted.
bool joint_mode_named(std::string name, JointMode& mode) {
    for (char& c : name)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    if (name == "vocabulary") mode = JointMode::vocabulary;
    else if (name == "rules") mode = JointMode::rules;
    else return false;
    return true;
}

// The minimum length is a count of characters; more than this is no line length at all.
constexpr int longest_min_length = 9999;

// The number written in decimal digits alone, or -1 when it is anything else or too large.
int min_length_of(const std::string& value) {
    int number = value.empty() ? -1 : 0;
    for (char c : value) {
        if (c < '0' || c > '9') return -1;
        number = number * 10 + (c - '0');
        if (number > longest_min_length) return -1;
    }
    return number;
}

// Applies one option; false (with `error` set) when its value is not acceptable.
bool apply(Option option, const std::string& value, CliOptions& options, std::string& error) {
    switch (option) {
    case Option::MIN_LENGTH:
        if (min_length_of(value) < 0) error = message(Text::bad_min_length, {quoted_name(value)});
        else options.min_length_text = std::to_string(min_length_of(value));
        break;
    case Option::REMOVE_HANJA: options.remove_hanja = 1; break;
    case Option::NO_BLANK_AFTER_LONG: options.blank_after_long = 0; break;
    case Option::MARK_JOINS: options.mark_joins = 1; break;
    case Option::NO_SPLIT_LONG: options.split_long_sentences = 0; break;
    case Option::JOINTS:
        if (!joint_mode_named(value, options.joints))
            error = "unknown joint mode '" + value + "' (vocabulary or rules)";
        break;
    case Option::VOCABULARY_JOINTS: options.joints = JointMode::vocabulary; break;
    case Option::DICTIONARY:
        options.dictionary_path = value;
        if (value.empty()) error = "--dictionary needs a folder or a .dic file";
        break;
    case Option::INPUT_ENCODING:
        if (!input_encoding_named(value, options.input_encoding))
            error = message(Text::unknown_input_encoding, {quoted_name(value), input_encoding_names});
        break;
    case Option::OUTPUT_ENCODING:
        if (!output_encoding_named(value, options.output_encoding))
            error = message(Text::unknown_output_encoding, {quoted_name(value), output_encoding_names});
        break;
    case Option::JOBS:
        options.jobs = jobs_named(value);
        if (options.jobs == 0) error = message(Text::bad_jobs, {std::to_string(most_jobs), quoted_name(value)});
        break;
    case Option::OUTPUT_DIR:
        options.output_dir = value;
        if (value.empty()) error = message(Text::output_dir_needs_name);
        break;
    case Option::RECURSIVE: options.recursive = true; break;
    case Option::FOLLOW_LINKS: options.follow_links = true; break;
    case Option::NO_FOOTER: options.footer = false; break;
    case Option::TO_STDOUT: options.to_stdout = true; break;
    case Option::QUIET: options.quiet = true; break;
    case Option::HELP:
    case Option::VERSION: break;
    }
    return error.empty();
}

// Walks the arguments one by one, keeping the position of the next unread one.
struct ArgumentReader {
    int argc;
    const char* const* argv;
    int next;
    CliOptions& options;
    std::string& error;
    bool help = false;
    bool version = false;

    bool handle(const OptionName& entry, const std::string& value) {
        if (entry.option == Option::HELP) help = true;
        if (entry.option == Option::VERSION) version = true;
        return apply(entry.option, value, options, error);
    }

    // "--name" or "--name=value"; the value may also be the next argument.
    bool read_long(const std::string& argument) {
        size_t equals = argument.find('=');
        std::string name = argument.substr(2, equals == std::string::npos ? std::string::npos : equals - 2);
        const OptionName* entry = find_long(name);
        if (entry == nullptr) {
            error = message(Text::unknown_option, {quoted_name("--" + name)});
            return false;
        }
        if (!entry->takes_value) {
            if (equals != std::string::npos) error = message(Text::option_takes_no_value, {quoted_name("--" + name)});
            return error.empty() && handle(*entry, "");
        }
        if (equals != std::string::npos) return handle(*entry, argument.substr(equals + 1));
        if (next >= argc) {
            error = message(Text::option_needs_value, {quoted_name("--" + name)});
            return false;
        }
        return handle(*entry, argv[next++]);
    }

    // "-qr", "-m15", "-m 15": flags may be grouped; a value takes the rest or the next argument.
    bool read_short(const std::string& argument) {
        for (size_t i = 1; i < argument.size(); ++i) {
            const OptionName* entry = find_short(argument[i]);
            if (entry == nullptr) {
                error = message(Text::unknown_option, {quoted_name(std::string("-") + argument[i])});
                return false;
            }
            if (!entry->takes_value) {
                if (!handle(*entry, "")) return false;
                continue;
            }
            if (i + 1 < argument.size()) return handle(*entry, argument.substr(i + 1));
            if (next >= argc) {
                error = message(Text::option_needs_value, {quoted_name(std::string("-") + argument[i])});
                return false;
            }
            return handle(*entry, argv[next++]);
        }
        return true;
    }

    bool read_all() {
        bool options_ended = false;
        while (next < argc) {
            std::string argument = argv[next++];
            bool ok = true;
            if (options_ended || argument == "-" || argument.empty() || argument[0] != '-')
                options.paths.push_back(argument);
            else if (argument == "--") options_ended = true;
            else if (argument[1] == '-') ok = read_long(argument);
            else ok = read_short(argument);
            if (!ok) return false;
        }
        return true;
    }
};

// Like other filters, a command without PATH reads standard input and writes standard output.
bool take_standard_input(CliOptions& options, std::string& error) {
    if (!options.paths.empty()) return true;
    if (!options.output_dir.empty()) error = message(Text::output_dir_with_stdin);
    options.paths.push_back("-");
    options.to_stdout = true;
    return error.empty();
}

// Combinations that cannot be carried out, found once every argument is read.
bool check_combination(const CliOptions& options, std::string& error) {
    int stdin_count = 0;
    for (const auto& path : options.paths)
        if (path == "-") ++stdin_count;
    if (stdin_count > 0 && !options.to_stdout) error = message(Text::stdin_needs_stdout);
    else if (stdin_count > 1) error = message(Text::stdin_only_once);
    else if (options.to_stdout && !options.output_dir.empty()) error = message(Text::output_dir_with_stdout);
    return error.empty();
}

}  // namespace

ParseResult parse_options(int argc, const char* const* argv, bool stdin_is_terminal, CliOptions& options,
                          std::string& error) {
    ArgumentReader reader{argc, argv, 1, options, error};
    if (!reader.read_all()) return ParseResult::USAGE_ERROR;
    if (reader.help) return ParseResult::HELP;
    if (reader.version) return ParseResult::VERSION;
    if (options.paths.empty() && stdin_is_terminal) {
        error = message(Text::no_path);
        return ParseResult::NO_INPUT;
    }
    if (!take_standard_input(options, error)) return ParseResult::USAGE_ERROR;
    return check_combination(options, error) ? ParseResult::RUN : ParseResult::USAGE_ERROR;
}

}  // namespace tessaline
