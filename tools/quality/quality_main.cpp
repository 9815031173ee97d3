// Measures how well the engine restores the novels of a corpus from hard-wrapped CP949 files.

#include <cstdio>
#include <cstdlib>
#include <exception>
#include <string>
#include <vector>

#include "dictionary/korean_dictionary.h"
#include "platform/platform.h"
#include "tools/checks/engine_run.h"
#include "tools/corpus/corpus.h"
#include "tools/corpus/short_texts.h"
#include "tools/corpus/wrap_styles.h"
#include "tools/quality/quality_score.h"
#include "tools/quality/quality_settings.h"

namespace tessaline {

namespace {

// Short texts are cut at these many characters, so that thin evidence shows at several sizes.
constexpr size_t short_text_limits[] = {250, 500, 1000, 2000};

struct Method {
    std::string name;
    bool baseline;               // a naive join instead of the engine
    JointMode joints;            // the engine's joint mode
    WordDictionary* dictionary;  // the vocabulary mode's dictionary, if any
    std::string joint;           // a baseline's joint
};

// The long-paragraph options as the window starts them, or off.
enum class Layout { WINDOW, PLAIN };

// The vocabulary mode with the dictionary when one is at hand, and without it too then.
std::vector<Method> methods_of(const QualitySettings& settings, WordDictionary* dictionary) {
    std::vector<Method> methods;
    bool with_dictionary = settings.vocabulary && dictionary != nullptr && dictionary->available();
    if (settings.vocabulary) {
        if (with_dictionary) methods.push_back({"vocabulary", false, JointMode::vocabulary, dictionary, ""});
        methods.push_back(
            {with_dictionary ? "vocabulary, no dictionary" : "vocabulary", false, JointMode::vocabulary, nullptr, ""});
    }
    if (settings.rules) methods.push_back({"rules", false, JointMode::rules, nullptr, ""});
    if (settings.baselines) {
        methods.push_back({"join, no space", true, JointMode::rules, nullptr, ""});
        methods.push_back({"join, one space", true, JointMode::rules, nullptr, " "});
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

std::string repair(const WrappedNovel& wrapped, const Method& method, Layout layout) {
    if (method.baseline) return join_paragraph_lines(wrapped, method.joint);
    ConversionOptions options = window_options();
    if (layout == Layout::PLAIN) options.split_long_sentences = options.blank_after_long = false;
    options.joints = method.joints;
    options.dictionary = method.dictionary;
    return run_engine(wrapped.text, options);
}

const char* error_label(ErrorKind kind) {
    switch (kind) {
    case ErrorKind::JOINT: return "wrong joint";
    case ErrorKind::KEPT_BREAK: return "kept break";
    case ErrorKind::MISSED_BREAK: return "missed break";
    case ErrorKind::INVENTED_BREAK: return "invented break";
    }
    return "";
}

// Repairs one text and scores it; a text the output does not hold is reported at once.
QualityCounts measure_text(const std::string& name, const WrappedNovel& wrapped, const Method& method, Layout layout,
                           size_t keep_errors, std::vector<JointError>* errors, ErrorKinds kinds = all_error_kinds) {
    QualityCounts counts = score_repair(wrapped, repair(wrapped, method, layout), keep_errors, errors, kinds);
    if (counts.lost > 0)
        std::fprintf(stderr, "quality: %s (%s): the output does not hold the text in order\n", name.c_str(),
                     method.name.c_str());
    return counts;
}

// The figures of one style and method.
struct StyleScores {
    std::vector<QualityCounts> novels;  // window options, per novel
    QualityCounts window;
    QualityCounts plain;      // long-paragraph options off
    QualityCounts halves[2];  // window options, per corpus half
};

StyleScores measure_style(const std::vector<Novel>& novels, WrapStyle style, const Method& method,
                          const QualitySettings& settings) {
    StyleScores scores;
    std::vector<JointError> errors;
    for (size_t n = 0; n < novels.size(); ++n) {
        WrappedNovel wrapped = wrap_novel(novels[n].paragraphs, style);
        QualityCounts window = measure_text(novels[n].name, wrapped, method, Layout::WINDOW, 0, nullptr);
        scores.plain.add(measure_text(novels[n].name, wrapped, method, Layout::PLAIN, settings.show_errors, &errors,
                                      settings.error_kinds));
        scores.novels.push_back(window);
        scores.window.add(window);
        scores.halves[static_cast<int>(novels[n].half)].add(window);
    }
    for (const JointError& error : errors)
        std::printf("  %s (%s, %s)\n    original: %s\n    output:   %s\n", error_label(error.kind),
                    wrap_style_name(style), method.name.c_str(), utf8_of(error.original).c_str(),
                    utf8_of(error.output).c_str());
    return scores;
}

// Breaks say nothing for a baseline, which was told the paragraphs.
std::string break_figure(const Method& method, size_t part, size_t whole) {
    return method.baseline ? "-" : percent(part, whole);
}

void print_joint_row(const char* style, const Method& method, const QualityCounts& c) {
    std::printf("| %s | %s | %zu | %s | %s | %s | %s | %s | %s |\n", style, method.name.c_str(), c.joints,
                percent(c.joints_right, c.joints).c_str(), percent(c.spaced_joints_right, c.spaced_joints).c_str(),
                percent(c.unspaced_joints_right(), c.unspaced_joints()).c_str(),
                break_figure(method, c.breaks_found, c.breaks).c_str(),
                break_figure(method, c.output_breaks_right, c.output_breaks).c_str(),
                percent(c.gaps_right, c.gaps).c_str());
}

void print_break_row(const char* style, const Method& method, const QualityCounts& c) {
    std::printf("| %s | %s | %zu | %s | %s | %zu | %zu |\n", style, method.name.c_str(), c.breaks,
                percent(c.breaks_found, c.breaks).c_str(), percent(c.output_breaks_right, c.output_breaks).c_str(),
                c.kept_breaks, c.invented_breaks());
}

void print_half_row(const char* style, const Method& method, const QualityCounts* halves) {
    const QualityCounts& fit = halves[static_cast<int>(CorpusHalf::FIT)];
    const QualityCounts& held = halves[static_cast<int>(CorpusHalf::HELD_OUT)];
    std::printf("| %s | %s | %s | %s | %s | %s |\n", style, method.name.c_str(),
                percent(fit.joints_right, fit.joints).c_str(), percent(held.joints_right, held.joints).c_str(),
                percent(held.spaced_joints_right, held.spaced_joints).c_str(),
                percent(held.unspaced_joints_right(), held.unspaced_joints()).c_str());
}

void print_summary_row(const char* style, const Method& method, const StyleScores& s) {
    const QualityCounts& c = s.window;
    const QualityCounts& held = s.halves[static_cast<int>(CorpusHalf::HELD_OUT)];
    const QualityCounts& p = s.plain;
    std::printf(
        "%-18s %-10s joints %5s  space %5s  none %5s  held-out %5s  breaks off: recall %5s precision %5s  "
        "missed %zu kept %zu invented %zu\n",
        style, method.name.c_str(), percent(c.joints_right, c.joints).c_str(),
        percent(c.spaced_joints_right, c.spaced_joints).c_str(),
        percent(c.unspaced_joints_right(), c.unspaced_joints()).c_str(),
        percent(held.joints_right, held.joints).c_str(), percent(p.breaks_found, p.breaks).c_str(),
        percent(p.output_breaks_right, p.output_breaks).c_str(), p.breaks - p.breaks_found, p.kept_breaks,
        p.invented_breaks());
}

// Rows of every style and of all styles together, in the order of the styles.
struct Results {
    std::vector<std::string> styles;
    std::vector<std::vector<StyleScores>> scores;  // per style, per method
};

Results measure_all(const std::vector<Novel>& novels, const std::vector<Method>& methods,
                    const QualitySettings& settings) {
    Results results;
    std::vector<StyleScores> overall(methods.size());
    for (WrapStyle style : settings.styles) {
        results.styles.push_back(wrap_style_name(style));
        results.scores.emplace_back();
        for (size_t m = 0; m < methods.size(); ++m) {
            StyleScores s = measure_style(novels, style, methods[m], settings);
            overall[m].window.add(s.window);
            overall[m].plain.add(s.plain);
            for (int h = 0; h < 2; ++h) overall[m].halves[h].add(s.halves[h]);
            results.scores.back().push_back(s);
        }
    }
    if (settings.styles.size() > 1) {
        results.styles.push_back("all styles");
        results.scores.push_back(overall);
    }
    return results;
}

void print_results(const Results& r, const std::vector<Method>& methods, bool summary) {
    if (summary) {
        for (size_t s = 0; s < r.styles.size(); ++s)
            for (size_t m = 0; m < methods.size(); ++m)
                print_summary_row(r.styles[s].c_str(), methods[m], r.scores[s][m]);
        return;
    }
    std::printf(
        "Joints and breaks, the window's options:\n\n| style | joints by | joints | joint accuracy %% | "
        "with a space %% | without %% | break recall %% | break precision %% | whitespace accuracy %% |\n"
        "|---|---|---:|---:|---:|---:|---:|---:|---:|\n");
    for (size_t s = 0; s < r.styles.size(); ++s)
        for (size_t m = 0; m < methods.size(); ++m)
            print_joint_row(r.styles[s].c_str(), methods[m], r.scores[s][m].window);
    std::printf(
        "\nParagraph breaks, the long-paragraph options off:\n\n| style | joints by | breaks | recall %% | "
        "precision %% | cuts kept as breaks | breaks invented |\n|---|---|---:|---:|---:|---:|---:|\n");
    for (size_t s = 0; s < r.styles.size(); ++s)
        for (size_t m = 0; m < methods.size(); ++m)
            if (!methods[m].baseline) print_break_row(r.styles[s].c_str(), methods[m], r.scores[s][m].plain);
    std::printf(
        "\nJoint accuracy on the two halves of the corpus:\n\n| style | joints by | fit half %% | held-out "
        "half %% | held-out, with a space %% | held-out, without %% |\n|---|---|---:|---:|---:|---:|\n");
    for (size_t s = 0; s < r.styles.size(); ++s)
        for (size_t m = 0; m < methods.size(); ++m)
            if (!methods[m].baseline) print_half_row(r.styles[s].c_str(), methods[m], r.scores[s][m].halves);
}

// Joints right in short texts cut from the novels: per mode, and how many texts came out worse
// by the vocabulary than by the rules.
struct ShortScores {
    size_t texts = 0;
    size_t joints = 0;
    size_t rules_right = 0;
    size_t vocabulary_right = 0;
    size_t worse = 0;
    size_t lost = 0;

    void add(const ShortScores& o) {
        texts += o.texts;
        joints += o.joints;
        rules_right += o.rules_right;
        vocabulary_right += o.vocabulary_right;
        worse += o.worse;
        lost += o.lost;
    }
};

ShortScores measure_short(const std::vector<Novel>& novels, WrapStyle style, size_t limit, const Method& vocabulary) {
    const Method rules{"rules", false, JointMode::rules, nullptr, ""};
    ShortScores scores;
    for (const Novel& novel : novels) {
        for (const auto& text : cut_short_texts(novel.paragraphs, limit)) {
            WrappedNovel wrapped = wrap_novel(text, style);
            QualityCounts by_rules = measure_text(novel.name, wrapped, rules, Layout::WINDOW, 0, nullptr);
            QualityCounts by_vocabulary = measure_text(novel.name, wrapped, vocabulary, Layout::WINDOW, 0, nullptr);
            ++scores.texts;
            scores.joints += by_rules.joints;
            scores.rules_right += by_rules.joints_right;
            scores.vocabulary_right += by_vocabulary.joints_right;
            scores.worse += by_vocabulary.joints_right < by_rules.joints_right;
            scores.lost += by_rules.lost + by_vocabulary.lost;
        }
    }
    return scores;
}

void print_short_row(const std::string& style, const std::string& size, const ShortScores& s) {
    std::printf("| %s | %s | %zu | %zu | %s | %s | %zu |\n", style.c_str(), size.c_str(), s.texts, s.joints,
                percent(s.rules_right, s.joints).c_str(), percent(s.vocabulary_right, s.joints).c_str(), s.worse);
}

// Returns how many outputs lost text.
size_t print_short_texts(const std::vector<Novel>& novels, const QualitySettings& settings, const Method& vocabulary) {
    std::printf(
        "\nJoint accuracy on short texts cut from the novels, the window's options:\n\n| style | characters "
        "| texts | joints | rules %% | vocabulary %% | texts worse by the vocabulary |\n"
        "|---|---|---:|---:|---:|---:|---:|\n");
    std::vector<ShortScores> by_size(std::size(short_text_limits));
    for (WrapStyle style : settings.styles) {
        ShortScores all;
        for (size_t k = 0; k < std::size(short_text_limits); ++k) {
            ShortScores s = measure_short(novels, style, short_text_limits[k], vocabulary);
            all.add(s);
            by_size[k].add(s);
        }
        print_short_row(wrap_style_name(style), "under 2000", all);
    }
    size_t lost = 0;
    for (size_t k = 0; k < std::size(short_text_limits); ++k) {
        print_short_row("all styles", "under " + std::to_string(short_text_limits[k]), by_size[k]);
        lost += by_size[k].lost;
    }
    return lost;
}

std::vector<Novel> chosen_novels(std::vector<Novel> novels, const QualitySettings& settings) {
    if (!settings.half) return novels;
    std::vector<Novel> chosen;
    for (Novel& novel : novels)
        if (novel.half == *settings.half) chosen.push_back(std::move(novel));
    return chosen;
}

size_t lost_texts(const Results& results) {
    size_t lost = 0;
    for (size_t s = 0; s + (results.styles.size() > 1 ? 1 : 0) < results.styles.size(); ++s)
        for (const StyleScores& scores : results.scores[s]) lost += scores.window.lost + scores.plain.lost;
    return lost;
}

}  // namespace

int run_quality_report(int argc, char** argv) {
    QualitySettings settings;
    std::string error;
    switch (read_quality_settings(argc, argv, settings, error)) {
    case SettingsResult::HELP: std::fputs(quality_usage, stdout); return 0;
    case SettingsResult::USAGE_ERROR: std::fprintf(stderr, "quality: %s\n%s", error.c_str(), quality_usage); return 2;
    case SettingsResult::RUN: break;
    }
    std::vector<Novel> novels;
    try {
        novels = chosen_novels(read_corpus(settings.corpus), settings);
    } catch (const std::exception& failure) {
        std::fprintf(stderr, "quality: %s\n", failure.what());
        return 1;
    }
    KoreanDictionary dictionary(settings.dictionary_path,
                                [](const std::string& why) { std::fprintf(stderr, "quality: %s\n", why.c_str()); });
    std::vector<Method> methods = methods_of(settings, settings.dictionary ? &dictionary : nullptr);
    Results results = measure_all(novels, methods, settings);
    print_results(results, methods, settings.summary);
    size_t lost = lost_texts(results);
    if (!settings.summary && settings.rules && settings.vocabulary)
        lost += print_short_texts(novels, settings, methods[0]);
    if (lost > 0) std::fprintf(stderr, "quality: %zu outputs lost or changed text\n", lost);
    return lost > 0 ? 1 : 0;
}

}  // namespace tessaline

int main(int argc, char** argv) { return tessaline::run_quality_report(argc, argv); }
