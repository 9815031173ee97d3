#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

#include "engine/reflow.h"
#include "pipeline/end_trim.h"
#include "pipeline/stand_in_table.h"
#include "pipeline/text_encoder.h"
#include "pipeline/text_encoding.h"

namespace tessaline {

struct PlatformOutput;
class SharedOutput;

// Why a file could not be converted: the path at fault (the input, or the output that could not
// be written) and the reason in English.
struct FileFailure {
    std::string path;
    std::string reason;
};

// The footer behind every result, dated year.month.day without leading zeros.
std::string result_footer(int year, int month, int day);

// The result of one file on its way out. It takes the final text in pieces of any size, cuts its
// end to one line break, adds the footer, encodes it and writes it either into a temporary file
// that is renamed over the result once it is whole, or to standard output. Of the written text
// (CP949, footer included) it keeps only the first bytes, for the preview, and the length. A
// UTF-8 result gets back the characters the document's stand-ins stood for.
class ResultWriter final : public OutputSink {
public:
    // `encoding` is TextEncoding::cp949 or TextEncoding::utf8; `stand_ins` may be null. Without
    // `footer` the result ends with its text.
    ResultWriter(TextEncoding encoding, const StandInTable* stand_ins, size_t preview_size, bool footer = true);
    ~ResultWriter() override;
    ResultWriter(const ResultWriter&) = delete;
    ResultWriter& operator=(const ResultWriter&) = delete;

    // Creates the folder and the temporary file for the result of `input_path`, which will get the
    // input's permission bits; false, with the failure told, when either cannot be made, the result
    // would replace its own input, or (with `refuse_linked_folder`) the Tessaline folder is a
    // symbolic link.
    bool open_file(const std::string& input_path, const std::string& output_folder, FileFailure& failure,
                   bool refuse_linked_folder = false);
    void open_shared(SharedOutput& output);

    void write(std::span<const unsigned char> bytes) override;
    // Adds the end and the footer and completes the result; false, with the failure told, when
    // any of it could not be written. A file result is then left as it was before.
    bool finish(FileFailure& failure) { return complete(failure) && commit(failure); }

    // finish() in two steps, so that the wait for the disk can be left to another thread: writes
    // the end and the footer, then puts a file result in place once it is safely on the disk.
    bool complete(FileFailure& failure);
    bool commit(FileFailure& failure);

    const std::string& head() const { return head_; }
    uint64_t length() const { return length_; }

private:
    void take(const unsigned char* bytes, size_t count);
    void flush_pending();
    std::string& encoding_target();
    void deliver_encoded(const std::string& encoded);
    void deliver(const unsigned char* bytes, size_t count);
    bool fail(FileFailure& failure, const std::string& reason) const;

    bool to_utf8_;
    size_t preview_size_;
    bool footer_;
    EndTrim trim_;
    TextEncoder encoder_;
    std::string pending_;  // CP949 bytes gathered for the next write
    std::string encoded_;
    std::string head_;
    uint64_t length_ = 0;
    PlatformOutput* file_ = nullptr;
    SharedOutput* shared_ = nullptr;
    std::string path_;
    std::string broken_reason_;  // set at the first write that failed; nothing is written after it
};

}  // namespace tessaline
