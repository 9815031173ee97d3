#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>

#include "engine/word_dictionary.h"

// The engine: repairs the line breaks of one hard-wrapped Korean text in CP949. Each Reflow
// holds everything of one conversion, so texts can be converted side by side.
namespace tessaline {

class JointScan;
struct BookVocabulary;

// How the space at a joint is decided: by the word rules alone, or also by the novel's own
// vocabulary and layout where their evidence is strong.
enum class JointMode { rules, vocabulary };

struct ConversionOptions {
    bool split_long_sentences = true;  // very long paragraphs are split at sentence ends
    bool remove_hanja = false;         // a Hanja gloss as long as the word before it goes: 한자(漢字) → 한자
    bool blank_after_long = true;      // an empty line follows a long paragraph
    bool mark_joins = false;           // a backquote marks every joint
    int32_t min_line_bytes = 30;       // shorter lines are never joined: twice the minimum length in Korean characters
    JointMode joints = JointMode::rules;
    WordDictionary* dictionary = nullptr;  // asked by the vocabulary mode for short texts, when given
};

// Receives the finished output, in order, in pieces of any size.
class OutputSink {
public:
    virtual ~OutputSink() = default;
    virtual void write(std::span<const unsigned char> bytes) = 0;
};

// Told, from time to time and at the end, how many bytes of the input have been converted.
class ProgressSink {
public:
    virtual ~ProgressSink() = default;
    virtual void consumed(uint64_t bytes) = 0;
};

// One conversion. Feed it the text in pieces of any size, then finish it; output goes to the
// sink as soon as no later input can change it. NUL bytes are no text and are passed over. In
// the vocabulary mode the text is read whole beforehand, once or more:
//
//     while (reflow.needs_first_pass()) {
//         for (each piece of the text) reflow.feed_first_pass(piece);
//         reflow.finish_first_pass();
//     }
//     for (each piece of the text) reflow.feed(piece, sink);
//     reflow.finish(sink);
//
// A caller that knows about how long the text will be (a file's size) says so first, with
// expect_length: when it is near enough, the text is read beforehand once instead of twice.
//
// A failed allocation throws std::bad_alloc; the Reflow is then of no further use. Calls out of
// this order throw std::logic_error.
class Reflow {
public:
    explicit Reflow(const ConversionOptions& options, ProgressSink* progress = nullptr);
    ~Reflow();
    Reflow(Reflow&&) noexcept;
    Reflow& operator=(Reflow&&) noexcept;

    bool needs_first_pass() const;
    void expect_length(uint64_t bytes);
    void feed_first_pass(std::span<const unsigned char> cp949);
    void finish_first_pass();

    void feed(std::span<const unsigned char> cp949, OutputSink& out);
    void finish(OutputSink& out);

    // Takes the book's evidence at the joints from `scan` where it has read them (see
    // joint_scan.h); null to read every joint here again.
    void read_joints_from(JointScan* scan);

private:
    friend class JointScan;
    const BookVocabulary& book() const;
    bool asks_dictionary() const;

    struct State;
    std::unique_ptr<State> state_;
};

// The whole text at once: its result, every pass included.
std::string reflow(std::string_view cp949, const ConversionOptions& options);

}  // namespace tessaline
