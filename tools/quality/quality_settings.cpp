#include "tools/quality/quality_settings.h"

#include <cstdlib>

namespace tessaline {

const char* const quality_usage =
    "Usage: quality CORPUS_FOLDER [OPTIONS]\n"
    "Wraps every novel of the folder (UTF-8, one paragraph per line) into CP949 files the way\n"
    "real files come, repairs them and prints how well the repair restored them: joints and\n"
    "breaks with the window's options and with the long-paragraph options off, short texts\n"
    "cut from the novels, and the corpus halves that fit and check the weights.\n"
    "  --joints vocabulary|rules|both  which joint modes to measure (default: both)\n"
    "  --style NAME                    only this wrapping style (may be repeated); styles:\n"
    "                                  cut-space-dropped, cut-space-kept, blank-lines,\n"
    "                                  indented, word-wrap\n"
    "  --half fit|held-out             only the novels of this half of the corpus\n"
    "  --summary                       print only the joint figures per style and mode\n"
    "  --no-baselines                  leave out the two naive baselines\n"
    "  --dictionary PATH               the Korean Hunspell dictionary (a folder or its\n"
    "                                  .dic file; default: the standard places)\n"
    "  --no-dictionary                 the vocabulary mode without a dictionary only\n"
    "  --show-errors N                 print up to N wrong joints and breaks per style\n"
    "                                  and mode (with the long-paragraph options off)\n"
    "  --errors KIND[,KIND...]         print only errors of these kinds: joint (a wrong\n"
    "                                  space), kept-break (a cut left as a line break),\n"
    "                                  missed-break, invented-break\n";

namespace {

struct ErrorKindName {
    const char* name;
    ErrorKind kind;
};

constexpr ErrorKindName error_kind_names[] = {{"joint", ErrorKind::JOINT},
                                              {"kept-break", ErrorKind::KEPT_BREAK},
                                              {"missed-break", ErrorKind::MISSED_BREAK},
                                              {"invented-break", ErrorKind::INVENTED_BREAK}};

// The kinds named in a comma-separated list, or 0 when one of the names is unknown.
ErrorKinds error_kinds_of(const std::string& list) {
    ErrorKinds kinds = 0;
    size_t start = 0;
    while (start <= list.size()) {
        size_t end = list.find(',', start);
        if (end == std::string::npos) end = list.size();
        std::string name = list.substr(start, end - start);
        ErrorKinds bit = 0;
        for (const ErrorKindName& known : error_kind_names)
            if (name == known.name) bit = error_bit(known.kind);
        if (bit == 0) return 0;
        kinds |= bit;
        start = end + 1;
    }
    return kinds;
}

struct Reader {
    int argc;
    const char* const* argv;
    int k;
    QualitySettings& settings;
    std::string& error;

    bool value(std::string& into) {
        if (k + 1 >= argc) {
            error = std::string(argv[k]) + " needs a value";
            return false;
        }
        into = argv[++k];
        return true;
    }

    bool joints(const std::string& mode) {
        if (mode != "rules" && mode != "vocabulary" && mode != "both") error = "unknown joint mode " + mode;
        settings.rules = mode != "vocabulary";
        settings.vocabulary = mode != "rules";
        return error.empty();
    }

    bool style(const std::string& name) {
        WrapStyle style;
        if (!parse_wrap_style(name, &style)) error = "unknown style " + name;
        else settings.styles.push_back(style);
        return error.empty();
    }

    bool half(const std::string& name) {
        if (name == "fit") settings.half = CorpusHalf::FIT;
        else if (name == "held-out") settings.half = CorpusHalf::HELD_OUT;
        else error = "unknown half " + name;
        return error.empty();
    }

    bool count(const std::string& text) {
        char* end = nullptr;
        settings.show_errors = std::strtoul(text.c_str(), &end, 10);
        if (text.empty() || *end != 0) error = "--show-errors needs a number, not " + text;
        return error.empty();
    }

    bool kinds(const std::string& list) {
        settings.error_kinds = error_kinds_of(list);
        if (settings.error_kinds == 0) error = "unknown error kind in " + list;
        return error.empty();
    }

    bool path(const std::string& arg) {
        if (!settings.corpus.empty()) error = "more than one corpus folder given";
        settings.corpus = arg;
        return error.empty();
    }

    // One argument, with its value when it takes one.
    bool option(const std::string& arg) {
        std::string v;
        if (arg == "--joints") return value(v) && joints(v);
        if (arg == "--style") return value(v) && style(v);
        if (arg == "--half") return value(v) && half(v);
        if (arg == "--show-errors") return value(v) && count(v);
        if (arg == "--errors") return value(v) && kinds(v);
        if (arg == "--dictionary") return value(settings.dictionary_path);
        if (arg == "--no-dictionary") settings.dictionary = false;
        else if (arg == "--summary") settings.summary = true;
        else if (arg == "--no-baselines") settings.baselines = false;
        else if (arg.rfind("--", 0) == 0) error = "unknown option " + arg;
        else return path(arg);
        return error.empty();
    }
};

}  // namespace

SettingsResult read_quality_settings(int argc, const char* const* argv, QualitySettings& settings, std::string& error) {
    Reader reader{argc, argv, 1, settings, error};
    for (; reader.k < argc; ++reader.k) {
        std::string arg = argv[reader.k];
        if (arg == "--help" || arg == "-h") return SettingsResult::HELP;
        if (!reader.option(arg)) return SettingsResult::USAGE_ERROR;
    }
    if (settings.corpus.empty()) error = "no corpus folder given";
    if (settings.styles.empty()) settings.styles = all_wrap_styles();
    if (settings.summary) settings.baselines = false;
    return error.empty() ? SettingsResult::RUN : SettingsResult::USAGE_ERROR;
}

}  // namespace tessaline
