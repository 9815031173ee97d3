#include "engine/reflow.h"

#include <algorithm>
#include <stdexcept>

#include "engine/joint_scan.h"
#include "engine/passes/conversion.h"
#include "engine/passes/line_loop.h"
#include "engine/passes/long_sentence_pass.h"
#include "engine/passes/orthography_pass.h"
#include "engine/passes/output_delivery.h"
#include "engine/vocabulary/vocabulary.h"

namespace tessaline {

namespace {

// Input is taken in pieces of at most this size, so a whole text handed over at once is still
// converted in a window of about this size.
constexpr size_t feed_piece = size_t{1} << 16;
// Progress is told every time this many more input bytes are converted, and at the end.
constexpr int64_t progress_step = int64_t{1} << 16;
// The rules read at most this far back in the output text, besides its last line.
constexpr int64_t output_look_back = 64;
// ... and the last line, found by its LF at least this far before the end.
constexpr int64_t last_line_lf_distance = 8;

class StringSink : public OutputSink {
public:
    void write(std::span<const unsigned char> bytes) override { text.append(bytes.begin(), bytes.end()); }
    std::string text;
};

}  // namespace

struct Reflow::State final : OutputDrain {
    State(const ConversionOptions& options, ProgressSink* sink) : cv(options), progress(sink) { cv.drain = this; }

    void drain() override { pass_output(false); }

    bool long_pass_on() const { return cv.options.split_long_sentences || cv.options.blank_after_long; }

    void take_input(std::span<const unsigned char> cp949);
    void advance(bool complete);
    void pass_output(bool finished_lines);
    void forget_read_output();
    int64_t output_still_read();
    void report_progress(bool at_end);

    Conversion cv;
    ProgressSink* progress;
    OutputDelivery delivery;
    OrthographyPass orthography{delivery};
    LongSentencePass long_pass;
    LineLoop lines;
    VocabularyReading reading;
    bool finished = false;
    int64_t passed = 0;         // the output text before this went on, when the long-sentence pass is off
    int64_t last_line_lf = -1;  // the output's LF at least last_line_lf_distance bytes before its end
    int64_t lf_searched = 0;    // ... the output before this position has been searched for it
    int64_t reported = -1;      // the count last told
};

void Reflow::State::take_input(std::span<const unsigned char> cp949) {
    while (!cp949.empty()) {
        size_t piece = std::min(cp949.size(), feed_piece);
        append_text(cv.source, cp949.first(piece));
        cp949 = cp949.subspan(piece);
        advance(false);
    }
}

void Reflow::State::advance(bool complete) {
    lines.run(cv, complete);
    pass_output(lines.done());
    report_progress(lines.done());
}

void Reflow::State::pass_output(bool finished_lines) {
    if (long_pass_on()) {
        long_pass.take(cv, finished_lines, orthography);
    } else {
        int64_t end = cv.output_length();
        if (end > passed) orthography.take(cv.output.pointer(passed), static_cast<size_t>(end - passed));
        passed = end;
    }
    if (finished_lines) orthography.finish();
    forget_read_output();
}

// Where the output text is still read: by the next pass, from where it stands, and by the line
// rules, which look back over the output's last line and some bytes more.
int64_t Reflow::State::output_still_read() {
    int64_t end = cv.output_length();
    int64_t next_pass = long_pass_on() ? long_pass.position() : passed;
    int64_t searched_to = end - last_line_lf_distance;
    for (int64_t pos = searched_to; pos >= std::max(lf_searched, cv.output.base()); --pos) {
        if (cv.output.at(pos) == '\n') {
            last_line_lf = pos;
            break;
        }
    }
    lf_searched = std::max(lf_searched, searched_to + 1);
    // Without such an LF the rules may read back to the output's first byte.
    int64_t last_line = last_line_lf >= 0 ? last_line_lf : 0;
    return std::min({next_pass, end - output_look_back, last_line});
}

void Reflow::State::forget_read_output() {
    // The notes speak only to the long-sentence pass.
    if (cv.vocabulary_mode() && !long_pass_on()) forget_notes_before(cv.length_notes, cv.output_length());
    cv.output.drop_before(output_still_read());
}

void Reflow::State::report_progress(bool at_end) {
    if (progress == nullptr) return;
    int64_t converted = at_end ? cv.source_length() : cv.place.line_start;
    if (converted <= reported || (!at_end && converted < reported + progress_step)) return;
    reported = converted;
    progress->consumed(static_cast<uint64_t>(converted));
}

Reflow::Reflow(const ConversionOptions& options, ProgressSink* progress)
    : state_(std::make_unique<State>(options, progress)) {}

Reflow::~Reflow() = default;
Reflow::Reflow(Reflow&&) noexcept = default;
Reflow& Reflow::operator=(Reflow&&) noexcept = default;

bool Reflow::needs_first_pass() const { return state_->cv.vocabulary_mode() && state_->reading.needs_round(); }

void Reflow::expect_length(uint64_t bytes) {
    if (needs_first_pass()) state_->reading.expect_length(static_cast<int64_t>(std::min<uint64_t>(bytes, INT64_MAX)));
}

void Reflow::feed_first_pass(std::span<const unsigned char> cp949) {
    if (!needs_first_pass()) throw std::logic_error("Reflow::feed_first_pass: no first pass is needed");
    state_->reading.take(cp949, state_->cv.vocabulary);
}

void Reflow::finish_first_pass() {
    if (!needs_first_pass()) throw std::logic_error("Reflow::finish_first_pass: no first pass is needed");
    Conversion& cv = state_->cv;
    state_->reading.finish_round(cv.vocabulary);
    if (state_->reading.needs_round()) return;
    // A long text shows its own words often enough; the dictionary speaks where a short one is silent.
    WordDictionary* dictionary = cv.options.dictionary;
    if (dictionary != nullptr && state_->reading.length() <= dictionary_text_limit && dictionary->available())
        cv.dictionary.use(dictionary);
}

const BookVocabulary& Reflow::book() const { return state_->cv.vocabulary; }
bool Reflow::asks_dictionary() const { return state_->cv.dictionary.in_use(); }

void Reflow::read_joints_from(JointScan* scan) { state_->cv.readings = scan != nullptr ? &scan->readings() : nullptr; }

void Reflow::feed(std::span<const unsigned char> cp949, OutputSink& out) {
    if (needs_first_pass() || state_->finished) throw std::logic_error("Reflow::feed: not ready for text");
    state_->delivery.use(&out);
    state_->take_input(cp949);
    state_->orthography.deliver();
    state_->delivery.flush(out);
    state_->delivery.use(nullptr);
}

void Reflow::finish(OutputSink& out) {
    if (needs_first_pass() || state_->finished) throw std::logic_error("Reflow::finish: not ready to finish");
    state_->finished = true;
    state_->delivery.use(&out);
    state_->advance(true);
    state_->delivery.flush(out);
    state_->delivery.use(nullptr);
}

std::string reflow(std::string_view cp949, const ConversionOptions& options) {
    std::span<const unsigned char> text(reinterpret_cast<const unsigned char*>(cp949.data()), cp949.size());
    Reflow conversion(options);
    conversion.expect_length(text.size());
    while (conversion.needs_first_pass()) {
        conversion.feed_first_pass(text);
        conversion.finish_first_pass();
    }
    StringSink sink;
    conversion.feed(text, sink);
    conversion.finish(sink);
    return std::move(sink.text);
}

}  // namespace tessaline
