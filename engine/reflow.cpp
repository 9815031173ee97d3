#include "engine/reflow.h"

#include <algorithm>
#include <cstring>

#include "engine/dialogue_breaks.h"
#include "engine/engine_state.h"
#include "engine/hanja_removal.h"
#include "engine/join_decision.h"
#include "engine/joint_review.h"
#include "engine/joint_spacing.h"
#include "engine/line_start.h"
#include "engine/long_sentence_pass.h"
#include "engine/orthography_pass.h"
#include "engine/prescan.h"
#include "engine/source_scan.h"
#include "engine/space_squeeze.h"
#include "engine/vocabulary_joints.h"
#include "engine/vocabulary_lengths.h"
#include "engine/vocabulary_line_end.h"
#include "pipeline/progress_view.h"

namespace {

constexpr uint32_t PROFILE_LIMIT = 50000;  // where the pre-scan stops and the running count takes over

void empty_second_pass() {
    text_buffer_reserve(second_pass_buffer, 1);
    second_pass_buffer.bytes[0] = 0;
    engine_state.second_pass_length = 0;
}

void start_run(const ProgressView* view) {
    engine_view = view;
    engine_state = EngineState{};
    document_profile = DocumentProfile{};
    reset_source_scans();
    text_buffer_reserve(source_text, 1);
    engine_state.source_length = static_cast<uint32_t>(std::strlen(reinterpret_cast<char*>(source_text.bytes)));
    if (view != nullptr && view->set_file_progress != nullptr) view->set_file_progress(view->context, 0);
    // The usual room for the result; appends grow it further when added breaks need more.
    text_buffer_reset(output_text, static_cast<size_t>(static_cast<double>(source_size) * 1.5) + 1000);
    text_buffer_reset(scratch_buffer, 1000);
    text_buffer_reserve(line_buffer, 1000);
    empty_second_pass();
}

// Copies the current line, with its LF or the source's final NUL, into the line buffer.
void cut_line() {
    EngineState& s = engine_state;
    s.line_len = static_cast<int32_t>(s.line_end - s.line_start + 1);
    text_buffer_reserve(line_buffer, static_cast<size_t>(s.line_len) + 1);
    std::memcpy(line_buffer.bytes, source_text.bytes + s.line_start, static_cast<size_t>(s.line_len));
    line_buffer.bytes[s.line_len] = 0;
}

// Beyond the pre-scan every long line moves the indentation count one way or the other.
void profile_line() {
    if (engine_state.line_end <= PROFILE_LIMIT || engine_state.line_len <= 50) return;
    unsigned char first = line_buffer.bytes[0];
    document_profile.unindented_long_lines += (first == ' ' || first == 0xA1) ? -1 : 1;
}

// Every line ends in CR LF from here on; a last line that ends in a lone CR is left as it is.
void end_line_with_crlf() {
    EngineState& s = engine_state;
    if (line_byte(s.line_len - 2) == '\r') return;
    line_truncate(s.line_len - 1);
    line_append("\r\n", 2);
}

// Two or more empty lines after a line become exactly one empty line, and the next line's
// indentation is dropped.
void reduce_blank_run() {
    EngineState& s = engine_state;
    int64_t next = skip_blank_run(s.line_end + 1);
    if (next < s.source_length && count_run_newlines(s.line_end + 1, next) >= 2) {
        output_append("\r\n\r\n", 4);
        s.line_end = static_cast<uint32_t>(next - 1);
    }
    s.line_start = s.line_end + 1;
}

// The LF that ends the line running through `from`, or the NUL that ends the source.
uint32_t next_line_end(uint32_t from) {
    uint32_t length = engine_state.source_length;
    if (from >= length) return length;
    const void* lf = std::memchr(source_text.bytes + from, '\n', length - from);
    return lf == nullptr ? length : static_cast<uint32_t>(static_cast<const unsigned char*>(lf) - source_text.bytes);
}

// A line that dialogue breaks made many times longer than its source leaves the line and scratch
// buffers as large; the passes after the line loop need neither, so that memory goes back first.
void release_line_buffers() {
    size_t kept_capacity = std::max<size_t>(size_t{1} << 20, size_t{engine_state.source_length} * 2);
    if (line_buffer.capacity > kept_capacity) {
        text_buffer_reset(line_buffer, 1000);
        engine_state.line_len = 0;
    }
    if (scratch_buffer.capacity > kept_capacity) text_buffer_reset(scratch_buffer, 1000);
}

void report_line_progress() {
    uint32_t p = engine_state.line_end / (engine_state.source_length / 100 + 1);
    // The post-passes report the second half of the bar.
    if (conversion_options.split_long_sentences == 1 || conversion_options.blank_after_long == 1) p /= 2;
    report_file_progress(static_cast<int>(p));
}

void process_line() {
    cut_line();
    profile_line();
    end_line_with_crlf();
    normalise_line_start();
    insert_dialogue_breaks();
    bool book_mode = conversion_options.vocabulary_joints == 1;
    bool joined = decide_line_end();
    if (book_mode) {
        decide_book_line_end(joined);
    } else if (joined) {
        decide_joint_space();
        review_joint_space();
    }
    squeeze_spaces();
    if (conversion_options.remove_hanja == 1) remove_hanja_glosses();
    output_append(line_buffer.bytes, std::strlen(reinterpret_cast<char*>(line_buffer.bytes)));
    if (book_mode) note_length_difference();
    reduce_blank_run();
    report_line_progress();
}

}  // namespace

void reflow_document(const ProgressView* view) {
    start_run(view);
    prescan_document();
    if (conversion_options.vocabulary_joints == 1) gather_vocabulary();
    EngineState& s = engine_state;
    for (s.line_end = 0; s.line_end <= s.source_length; ++s.line_end) {
        s.line_end = next_line_end(s.line_end);
        process_line();
    }
    release_line_buffers();
    empty_second_pass();
    if (conversion_options.split_long_sentences == 1 || conversion_options.blank_after_long == 1) long_sentence_pass();
    clear_length_notes();  // they speak of this run's output text only
    orthography_pass();
}

unsigned char* final_text() {
    if (second_pass_buffer.bytes != nullptr && second_pass_buffer.bytes[0] != 0) return second_pass_buffer.bytes;
    return output_text.bytes;
}

uint32_t final_text_length() {
    if (second_pass_buffer.bytes != nullptr && second_pass_buffer.bytes[0] != 0) return engine_state.second_pass_length;
    return engine_state.output_length;
}
