#include "engine/joint_scan.h"

#include "engine/reflow.h"
#include "engine/text/text_window.h"
#include "engine/vocabulary/breaks.h"
#include "engine/vocabulary/readings.h"
#include "engine/vocabulary/sentences.h"
#include "engine/vocabulary/store.h"
#include "engine/vocabulary/width.h"

namespace tessaline {

struct JointScan::State {
    State(const BookVocabulary& book, bool asks_dictionary) : vocabulary(book), stopped(asks_dictionary) {}

    void scan(bool complete);
    bool joint_ready(bool complete, int64_t& lf, int64_t& next_start) const;
    void read_joint(int64_t lf, int64_t next_start);
    void read_evidence(JointReading& reading);

    const BookVocabulary& vocabulary;
    JointReadingRing ring;
    TextWindow text;
    int64_t line_start = 0;
    bool stopped;  // no more joints are read
};

// A joint is read once its next line is whole, as the line loop reads it: the line's LF, the
// blank lines and blanks after it, and the LF that ends the next line's text are there.
bool JointScan::State::joint_ready(bool complete, int64_t& lf, int64_t& next_start) const {
    int64_t end = text.end();
    lf = find_in_window<'\n'>(text, line_start, end);
    if (lf == end) return false;
    next_start = lf + 1;
    while (next_start < end && is_blank_byte(text.at(next_start))) ++next_start;
    if (next_start == end) return false;
    return find_in_window<'\n'>(text, next_start, end) < end || complete;
}

// How the book's layout sees every line; the evidence at its joint unless the line loop never asks.
void JointScan::State::read_joint(int64_t lf, int64_t next_start) {
    JointReading reading{};
    reading.next_start = next_start;
    reading.line_start = line_start;
    reading.short_of_wrap = line_short_of_wrap(vocabulary.wrap, text, line_start, lf);
    reading.sentence_inside = sentence_inside_line(vocabulary, text, line_start, lf);
    if (!joint_never_read(vocabulary, text, lf, reading.short_of_wrap)) read_evidence(reading);
    ring.put(reading);
}

// Only at a joint whose last character lies in the line itself: the line loop reads the same
// bytes there, wherever its window begins.
void JointScan::State::read_evidence(JointReading& reading) {
    JointSides sides = joint_sides(text, reading.next_start);
    if (sides.last.start < line_start) return;
    reading.last_start = sides.last.start;
    reading.last_width = static_cast<uint8_t>(sides.last.width);
    reading.meets = sides.last.width != 0 && sides.first.width != 0;
    reading.evidence_read = true;
    if (!reading.meets) return;
    JointWords words = joint_words(text, sides);
    BookEvidence evidence = book_evidence(vocabulary, words);
    for (RulesJoint rules : rules_joints)
        reading.odds[rules_index(rules)] = joint_space_odds(rules, words, evidence, false);
}

void JointScan::State::scan(bool complete) {
    int64_t lf = 0;
    int64_t next_start = 0;
    while (joint_ready(complete, lf, next_start)) {
        read_joint(lf, next_start);
        // The next line is the one its text begins in, after any blank lines.
        int64_t last_lf = next_start - 1;
        while (text.at(last_lf) != '\n') --last_lf;
        line_start = last_lf + 1;
        text.drop_before(last_lf);
    }
}

// Where a dictionary is asked, the line loop reads every joint itself: the scan reads none.
JointScan::JointScan(const Reflow& reflow) : state_(std::make_unique<State>(reflow.book(), reflow.asks_dictionary())) {}

JointScan::~JointScan() = default;

void JointScan::feed(std::span<const unsigned char> cp949) {
    if (state_->stopped) return;
    state_->stopped = true;  // until the piece is read: a failed allocation leaves it so
    append_text(state_->text, cp949);
    state_->scan(false);
    state_->stopped = false;
}

void JointScan::finish() {
    if (!state_->stopped) state_->scan(true);
}

JointReadingRing& JointScan::readings() { return state_->ring; }

}  // namespace tessaline
