// Measures how well the engine restores the novels of a corpus from hard-wrapped CP949 files.

#include <cstdio>
#include <cstdlib>
#include <exception>
#include <string>
#include <vector>

#include "platform/platform.h"
#include "tools/checks/engine_run.h"
#include "tools/corpus/corpus.h"
#include "tools/corpus/wrap_styles.h"
#include "tools/quality/quality_score.h"

namespace {

constexpr const char* USAGE =
    "Usage: quality CORPUS_FOLDER [OPTIONS]\n"
    "Wraps every novel of the folder (UTF-8, one paragraph per line) into CP949 files the way\n"
    "real files come, repairs them and prints how well the repair restored them.\n"
    "  --mode engine|vocabulary|both   which engine modes to measure (default: both)\n"
    "  --style NAME                    only this wrapping style (may be repeated); styles:\n"
    "                                  cut-space-dropped, cut-space-kept, blank-lines,\n"
    "                                  indented, word-wrap\n"
    "  --joints-only                   print only the joint accuracy per style and mode\n"
    "  --no-baselines                  leave out the two naive baselines\n"
    "  --plain-options                 long-paragraph splitting and the empty line after\n"
    "                                  long paragraphs off (default: as the window starts)\n"
    "  --show-errors N                 print up to N wrong joints per style and mode\n";

struct Method {
    std::string name;
    int vocabulary;     // 1: the engine in the vocabulary mode, 0: with the rules alone, -1: a baseline
    std::string joint;  // a baseline's joint
};

struct Settings {
    std::string corpus;
    bool engine = true;
    bool vocabulary = true;
    bool baselines = true;
    bool joints_only = false;
    bool plain_options = false;
    size_t show_errors = 0;
    std::vector<WrapStyle> styles;
};

[[noreturn]] void usage_error(const std::string& message) {
    std::fprintf(stderr, "quality: %s\n%s", message.c_str(), USAGE);
    std::exit(2);
}

std::string next_argument(int argc, char** argv, int& k) {
    if (k + 1 >= argc) usage_error(std::string(argv[k]) + " needs a value");
    return argv[++k];
}

void read_style(const std::string& name, Settings& settings) {
    WrapStyle style;
    if (!parse_wrap_style(name, &style)) usage_error("unknown style " + name);
    settings.styles.push_back(style);
}

void read_mode(const std::string& mode, Settings& settings) {
    if (mode != "engine" && mode != "vocabulary" && mode != "both") usage_error("unknown mode " + mode);
    settings.engine = mode != "vocabulary";
    settings.vocabulary = mode != "engine";
}

Settings read_settings(int argc, char** argv) {
    Settings settings;
    for (int k = 1; k < argc; ++k) {
        std::string arg = argv[k];
        if (arg == "--mode") read_mode(next_argument(argc, argv, k), settings);
        else if (arg == "--style") read_style(next_argument(argc, argv, k), settings);
        else if (arg == "--joints-only") settings.joints_only = true;
        else if (arg == "--no-baselines") settings.baselines = false;
        else if (arg == "--plain-options") settings.plain_options = true;
        else if (arg == "--show-errors") settings.show_errors = std::strtoul(next_argument(argc, argv, k).c_str(), nullptr, 10);
        else if (arg == "--help" || arg == "-h") {
            std::fputs(USAGE, stdout);
            std::exit(0);
        } else if (arg.rfind("--", 0) == 0) usage_error("unknown option " + arg);
        else if (settings.corpus.empty()) settings.corpus = arg;
        else usage_error("more than one corpus folder given");
    }
    if (settings.corpus.empty()) usage_error("no corpus folder given");
    if (settings.styles.empty()) settings.styles = all_wrap_styles();
    if (settings.joints_only) settings.baselines = false;
    return settings;
}

std::vector<Method> methods_of(const Settings& settings) {
    std::vector<Method> methods;
    if (settings.engine) methods.push_back({"engine", 0, ""});
    if (settings.vocabulary) methods.push_back({"vocabulary", 1, ""});
    if (settings.baselines) {
        methods.push_back({"join, no space", -1, ""});
        methods.push_back({"join, one space", -1, " "});
    }
    return methods;
}

std::string utf8_of(const std::string& cp949_text) {
    size_t count = 0;
    unsigned char* bytes =
        platform_cp949_to_utf8(reinterpret_cast<const unsigned char*>(cp949_text.data()), cp949_text.size(), &count);
    std::string converted(reinterpret_cast<char*>(bytes), count);
    std::free(bytes);
    return converted;
}

std::string repair(const WrappedNovel& wrapped, const Method& method, const Settings& settings) {
    if (method.vocabulary < 0) return join_paragraph_lines(wrapped, method.joint);
    tessaline::ConversionOptions options = window_options();
    if (settings.plain_options) options.split_long_sentences = options.blank_after_long = false;
    options.joints = method.vocabulary == 1 ? tessaline::JointMode::vocabulary : tessaline::JointMode::rules;
    return run_engine(wrapped.text, options);
}

// Scores one method on one style over the whole corpus; lost texts are reported at once.
QualityCounts measure(const std::vector<Novel>& novels, WrapStyle style, const Method& method,
                      const Settings& settings) {
    QualityCounts total;
    std::vector<JointError> errors;
    for (const Novel& novel : novels) {
        WrappedNovel wrapped = wrap_novel(novel.paragraphs, style);
        QualityCounts counts = score_repair(wrapped, repair(wrapped, method, settings), settings.show_errors, &errors);
        if (counts.lost > 0)
            std::fprintf(stderr, "quality: %s (%s, %s): the output does not hold the text in order\n",
                         novel.name.c_str(), wrap_style_name(style), method.name.c_str());
        total.add(counts);
    }
    for (const JointError& error : errors)
        std::printf("  wrong joint (%s, %s)\n    original: %s\n    output:   %s\n", wrap_style_name(style),
                    method.name.c_str(), utf8_of(error.original).c_str(), utf8_of(error.output).c_str());
    return total;
}

void print_row(const char* style, const Method& method, const QualityCounts& c, bool joints_only) {
    if (joints_only) {
        std::printf("%-18s %-11s %s\n", style, method.name.c_str(), percent(c.joints_right, c.joints).c_str());
        return;
    }
    bool baseline = method.vocabulary < 0;  // told the paragraphs, so its break figures say nothing
    std::printf("| %s | %s | %zu | %s | %s | %s | %s |\n", style, method.name.c_str(), c.joints,
                percent(c.joints_right, c.joints).c_str(), baseline ? "-" : percent(c.breaks_found, c.breaks).c_str(),
                baseline ? "-" : percent(c.output_breaks_right, c.output_breaks).c_str(),
                percent(c.gaps_right, c.gaps).c_str());
}

}  // namespace

int main(int argc, char** argv) {
    Settings settings = read_settings(argc, argv);
    std::vector<Novel> novels;
    try {
        novels = read_corpus(settings.corpus);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "quality: %s\n", error.what());
        return 1;
    }
    std::vector<Method> methods = methods_of(settings);
    if (!settings.joints_only)
        std::printf("| style | method | joints | joint accuracy %% | break recall %% | break precision %% | "
                    "whitespace accuracy %% |\n|---|---|---:|---:|---:|---:|---:|\n");
    std::vector<QualityCounts> overall(methods.size());
    size_t lost = 0;
    for (WrapStyle style : settings.styles) {
        for (size_t m = 0; m < methods.size(); ++m) {
            QualityCounts counts = measure(novels, style, methods[m], settings);
            print_row(wrap_style_name(style), methods[m], counts, settings.joints_only);
            overall[m].add(counts);
            lost += counts.lost;
        }
    }
    if (settings.styles.size() > 1)
        for (size_t m = 0; m < methods.size(); ++m) print_row("all styles", methods[m], overall[m], settings.joints_only);
    if (lost > 0) std::fprintf(stderr, "quality: %zu outputs lost or changed text\n", lost);
    return lost > 0 ? 1 : 0;
}
