#include "pipeline/result_writer.h"

#include "pipeline/output_path.h"
#include "pipeline/own_footer.h"
#include "pipeline/shared_output.h"
#include "platform/platform.h"

namespace tessaline {

namespace {

// Bytes gathered before they are encoded and written: few system calls, little memory.
constexpr size_t write_chunk = 64 * 1024;

// The footer stands three line breaks below the text.
constexpr char footer_gap[] = "\r\n\r\n\r\n";
constexpr char standard_output_name[] = "standard output";

std::string cannot_be_written() { return std::string("cannot be written: ") + platform_error_text(); }

// A Tessaline folder that is a link would carry the results wherever it points.
bool is_linked_folder(std::string folder) {
    while (folder.size() > 1 && platform_is_separator(folder.back())) folder.pop_back();
    return platform_is_link(folder.c_str());
}

}  // namespace

std::string result_footer(int year, int month, int day) {
    return std::string(footer_gap) + footer_version_line + "\r\n" + footer_date_opening + std::to_string(year) + "." +
           std::to_string(month) + "." + std::to_string(day) + "]\r\n";
}

ResultWriter::ResultWriter(TextEncoding encoding, const StandInTable* stand_ins, size_t preview_size, bool footer)
    : to_utf8_(encoding == TextEncoding::utf8), preview_size_(preview_size), footer_(footer),
      encoder_(encoding, stand_ins) {}

ResultWriter::~ResultWriter() {
    if (file_ != nullptr) platform_abandon_output(file_);
}

bool ResultWriter::open_file(const std::string& input_path, const std::string& output_folder, FileFailure& failure,
                             bool refuse_linked_folder) {
    std::string folder = output_folder_for(input_path, output_folder);
    path_ = output_path_for(input_path, output_folder);
    if (refuse_linked_folder && output_folder.empty() && is_linked_folder(folder))
        return fail(failure, "is not written: the Tessaline folder is a symbolic link (name an output folder with -o)");
    if (!create_output_folder(folder, !output_folder.empty()))
        return fail(failure, "cannot create the folder " + folder + ": " + platform_error_text());
    if (platform_same_file(path_.c_str(), input_path.c_str())) return fail(failure, "would replace its own input file");
    file_ = platform_begin_output(path_.c_str(), input_path.c_str());
    if (file_ == nullptr) return fail(failure, cannot_be_written());
    return true;
}

void ResultWriter::open_shared(SharedOutput& output) {
    shared_ = &output;
    path_ = standard_output_name;
}

void ResultWriter::write(std::span<const unsigned char> bytes) {
    trim_.put(bytes.data(), bytes.size(), [this](const unsigned char* kept, size_t count) { take(kept, count); });
}

bool ResultWriter::complete(FileFailure& failure) {
    trim_.finish([this](const unsigned char* kept, size_t count) { take(kept, count); });
    int year = 0, month = 0, day = 0;
    platform_local_date(&year, &month, &day);
    std::string footer = footer_ ? result_footer(year, month, day) : "";
    take(reinterpret_cast<const unsigned char*>(footer.data()), footer.size());
    flush_pending();
    if (to_utf8_) {
        std::string& encoded = encoding_target();
        encoder_.finish(encoded);
        deliver_encoded(encoded);
    }
    if (shared_ != nullptr && broken_reason_.empty() && !shared_->flush()) broken_reason_ = cannot_be_written();
    return broken_reason_.empty() || fail(failure, broken_reason_);
}

bool ResultWriter::commit(FileFailure& failure) {
    if (file_ != nullptr) {
        PlatformOutput* file = file_;
        file_ = nullptr;
        if (!broken_reason_.empty()) platform_abandon_output(file);
        else if (!platform_commit_output(file)) broken_reason_ = cannot_be_written();
    }
    return broken_reason_.empty() || fail(failure, broken_reason_);
}

void ResultWriter::take(const unsigned char* bytes, size_t count) {
    if (head_.size() < preview_size_) {
        size_t room = preview_size_ - head_.size();
        head_.append(reinterpret_cast<const char*>(bytes), count < room ? count : room);
    }
    length_ += count;
    // A large piece in CP949 goes out as it is, without being gathered first.
    if (!to_utf8_ && pending_.empty() && count >= write_chunk) {
        deliver(bytes, count);
        return;
    }
    pending_.append(reinterpret_cast<const char*>(bytes), count);
    if (pending_.size() >= write_chunk) flush_pending();
}

void ResultWriter::flush_pending() {
    if (pending_.empty()) return;
    const auto* bytes = reinterpret_cast<const unsigned char*>(pending_.data());
    // A CP949 result holds no stand-ins, so its bytes go out as the engine gave them.
    if (to_utf8_) {
        std::string& encoded = encoding_target();
        encoder_.encode(std::span(bytes, pending_.size()), encoded);
        deliver_encoded(encoded);
    } else {
        deliver(bytes, pending_.size());
    }
    pending_.clear();
}

// A UTF-8 result kept in memory is encoded straight into it, sparing a copy of every byte; any
// other goes out through encoded_.
std::string& ResultWriter::encoding_target() {
    std::string* memory = shared_ != nullptr ? shared_->memory() : nullptr;
    if (memory != nullptr) return *memory;
    encoded_.clear();
    return encoded_;
}

void ResultWriter::deliver_encoded(const std::string& encoded) {
    if (&encoded == &encoded_) deliver(reinterpret_cast<const unsigned char*>(encoded_.data()), encoded_.size());
}

void ResultWriter::deliver(const unsigned char* bytes, size_t count) {
    if (!broken_reason_.empty() || count == 0) return;
    bool written = file_ != nullptr ? platform_write_output(file_, bytes, count) : shared_->write(bytes, count);
    if (!written) broken_reason_ = cannot_be_written();
}

bool ResultWriter::fail(FileFailure& failure, const std::string& reason) const {
    failure = FileFailure{path_, reason};
    return false;
}

}  // namespace tessaline
