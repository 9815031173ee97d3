#include "engine/joint_scan.h"

#include "engine/reflow.h"
#include "engine/text/text_window.h"
#include "engine/vocabulary/store.h"
#include "engine/vocabulary/readings.h"

namespace tessaline {

struct JointScan::State {
    explicit State(const BookVocabulary& book) : vocabulary(book) {}

    void scan(bool complete);
    bool joint_ready(bool complete, int64_t& lf, int64_t& next_start) const;
    void read_joint(int64_t next_start);

    const BookVocabulary& vocabulary;
    JointReadingRing ring;
    TextWindow text;
    int64_t line_start = 0;
    bool failed = false;
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

// Only a joint whose last character lies in the line itself is read: the line loop reads the
// same bytes there, wherever its window begins.
void JointScan::State::read_joint(int64_t next_start) {
    JointReading reading{next_start, joint_sides(text, next_start), {}, {}};
    if (reading.sides.last.width == 0 || reading.sides.first.width == 0 || reading.sides.last.start < line_start) return;
    reading.words = joint_words(text, reading.sides);
    reading.evidence = book_evidence(vocabulary, reading.words);
    ring.put(reading);
}

void JointScan::State::scan(bool complete) {
    int64_t lf = 0;
    int64_t next_start = 0;
    while (joint_ready(complete, lf, next_start)) {
        read_joint(next_start);
        // The next line is the one its text begins in, after any blank lines.
        int64_t last_lf = next_start - 1;
        while (text.at(last_lf) != '\n') --last_lf;
        line_start = last_lf + 1;
        text.drop_before(last_lf);
    }
}

JointScan::JointScan(const Reflow& reflow) : state_(std::make_unique<State>(reflow.book())) {}

JointScan::~JointScan() = default;

void JointScan::feed(std::span<const unsigned char> cp949) {
    if (state_->failed) return;
    state_->failed = true;  // until the piece is read
    append_text(state_->text, cp949);
    state_->scan(false);
    state_->failed = false;
}

void JointScan::finish() {
    if (!state_->failed) state_->scan(true);
}

JointReadingRing& JointScan::readings() { return state_->ring; }

}  // namespace tessaline
