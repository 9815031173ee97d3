#include "pipeline/file_conversion.h"

#include <algorithm>
#include <functional>
#include <memory>
#include <new>
#include <span>
#include <string>

#include "engine/reflow.h"
#include "pipeline/file_report.h"
#include "pipeline/joints_ahead.h"
#include "pipeline/own_footer.h"
#include "pipeline/preview.h"
#include "pipeline/result_writer.h"
#include "pipeline/source_reader.h"
#include "pipeline/step_queue.h"
#include "pipeline/text_warnings.h"

namespace tessaline {

namespace {

constexpr char out_of_memory[] = "cannot be converted: out of memory";

// The share of the input read, as the file bar's percent: it moves over its first 99 steps while
// the text is converted and reaches 100 once the conversion is over.
class FileProgress {
public:
    explicit FileProgress(FileReport& report) : report_(report) {}

    void read(uint64_t bytes, uint64_t total) {
        // A file that grew while it was read reads past the size it reported.
        int percent = static_cast<int>(std::min<uint64_t>(bytes, total) * 99 / (total + 1));
        if (percent <= shown_) return;
        shown_ = percent;
        report_.progress(percent);
    }

private:
    FileReport& report_;
    int shown_ = 0;
};

bool open(ResultWriter& writer, const BatchFile& file, const BatchRequest& request, SharedOutput& standard_output,
          FileFailure& failure) {
    if (request.destination == Destination::STANDARD_OUTPUT) {
        writer.open_shared(standard_output);
        return true;
    }
    bool own_folder = request.destination == Destination::OUTPUT_FOLDER;
    return writer.open_file(file.path, own_folder ? file.output_folder : "", failure, request.refuse_linked_folder);
}

// Whether a core no other file of the batch takes is there to help convert a file.
bool spare_core(const BatchRequest& request) { return request.jobs > request.files.size(); }

// Reads the whole text through `take`; without a footer of this program at its end when the
// request says so, so that converting a result again replaces its footer instead of adding one.
template <typename Take>
bool read_text(SourceReader& reader, bool replace_own_footer, Take&& take) {
    if (!replace_own_footer) return reader.read(take);
    OwnFooterFilter filter;
    if (!reader.read([&](std::span<const unsigned char> piece) { filter.put(piece, take); })) return false;
    filter.finish(take);
    return true;
}

// The vocabulary mode's first reading of a file whose encoding is found from its text, done while
// it is found, through the same footer filter as every reading. A wrong guess leaves the
// conversion as it was made.
class GuessedFirstReading {
public:
    GuessedFirstReading(Reflow& reflow, const BatchRequest& request)
        : reflow_(reflow), asked_(reflow.needs_first_pass()), replace_(request.replace_own_footer) {
        guess_.beside = spare_core(request);
        guess_.start = [this](uint64_t size) { reflow_.expect_length(size); };
        guess_.piece = [this](std::span<const unsigned char> piece) {
            if (replace_) filter_.put(piece, gather_);
            else gather_(piece);
        };
    }

    const SourceReader::Guess* guess() const { return asked_ ? &guess_ : nullptr; }

    // Once the file is open: the reading done stands, or the conversion starts afresh.
    void conclude(const SourceReader& reader, const ConversionOptions& options) {
        if (!reader.guessed_right()) {
            if (asked_) reflow_ = Reflow(options);
            return;
        }
        if (replace_) filter_.finish(gather_);
        reflow_.finish_first_pass();
    }

private:
    Reflow& reflow_;
    bool asked_;
    bool replace_;
    OwnFooterFilter filter_;
    std::function<void(std::span<const unsigned char>)> gather_ = [this](std::span<const unsigned char> piece) {
        reflow_.feed_first_pass(piece);
    };
    SourceReader::Guess guess_;
};

// Reads the text into the engine, more than once when its vocabulary is gathered first (the first
// time perhaps while the file was opened); false when reading failed.
bool reflow_into(Reflow& reflow, ResultWriter& writer, SourceReader& reader, const BatchRequest& request,
                 FileReport& report) {
    bool replace_footer = request.replace_own_footer;
    // A CP949 file's text is its bytes; in other encodings its size says too little of the text's.
    if (reader.encoding() == TextEncoding::cp949 && !reader.guessed_right()) reflow.expect_length(reader.size());
    if (reflow.needs_first_pass()) reader.keep_text();
    while (reflow.needs_first_pass()) {
        auto gather = [&](std::span<const unsigned char> piece) { reflow.feed_first_pass(piece); };
        if (!read_text(reader, replace_footer, gather)) return false;
        reflow.finish_first_pass();
    }
    FileProgress progress(report);
    TextReading read = [&](const TextPieceSink& piece) { return read_text(reader, replace_footer, piece); };
    uint64_t size = reader.size();  // as the file reported it, while the reading may run on another thread
    auto take = [&](std::span<const unsigned char> piece, uint64_t position) {
        reflow.feed(piece, writer);
        progress.read(position, size);
    };
    auto position = [&] { return reader.bytes_read(); };
    bool ahead = request.options.joints == JointMode::vocabulary && spare_core(request);
    bool whole = ahead ? read_with_joints_ahead(reflow, read, position, take)
                       : read([&](std::span<const unsigned char> piece) { take(piece, position()); });
    if (whole) reflow.finish(writer);
    return whole;
}

// How a file ended: written, with the beginning of the result and its length, or failed; and
// what was lost on the way, told once it is written. A result written whole still waits in
// `result` to be put in place.
struct Ending {
    bool written = false;
    std::unique_ptr<ResultWriter> result;
    std::string head;
    uint64_t length = 0;
    FileFailure failure;
    std::string damage;
    std::string unkept;
};

void convert_opened(const BatchFile& file, const BatchRequest& request, SharedOutput& standard_output,
                    SourceReader& reader, Reflow& reflow, FileReport& report, Ending& ending) {
    report.progress(0);
    bool to_utf8 = reader.result_encoding() == TextEncoding::utf8;
    auto writer = std::make_unique<ResultWriter>(reader.result_encoding(), to_utf8 ? &reader.stand_ins() : nullptr,
                                                 preview_limit_last, request.footer);
    bool converted = open(*writer, file, request, standard_output, ending.failure);
    if (converted && !reflow_into(reflow, *writer, reader, request, report)) {
        ending.failure = FileFailure{file.path, reader.failure()};
        converted = false;
    }
    report.progress(100);
    if (!converted || !writer->complete(ending.failure)) return;
    ending.head = writer->head();
    ending.length = writer->length();
    ending.damage = damage_warning(reader.encoding(), reader.result_encoding(), reader.damage());
    ending.unkept = unkept_warning(reader.unkept());
    ending.result = std::move(writer);
}

Ending convert(const BatchFile& file, const BatchRequest& request, SharedOutput& standard_output, FileReport& report) {
    Ending ending;
    try {
        SourceReader reader(request.input_encoding, request.output_encoding);
        Reflow reflow(request.options);
        GuessedFirstReading first_reading(reflow, request);
        if (!reader.open(file.standard_input ? stdin_path : file.path, first_reading.guess())) {
            ending.failure = FileFailure{file.path, reader.failure()};
            return ending;
        }
        first_reading.conclude(reader, request.options);
        report.loaded();
        convert_opened(file, request, standard_output, reader, reflow, report, ending);
    } catch (const std::bad_alloc&) {
        ending = Ending{};
        ending.failure = FileFailure{file.path, out_of_memory};
    }
    return ending;
}

// Puts the result in place and tells how the file ended.
void commit_and_tell(const BatchFile& file, Ending& ending, FileReport& report) {
    ending.written = ending.result != nullptr && ending.result->commit(ending.failure);
    ending.result.reset();
    if (!ending.written) {
        report.failed(ending.failure.path, ending.failure.reason);
    } else {
        report.written(ending.head, ending.length);
        for (const std::string& warning : {ending.damage, ending.unkept})
            if (!warning.empty()) report.warned(file.path, warning);
    }
    report.ended();
}

}  // namespace

void convert_file(const BatchFile& file, const BatchRequest& request, SharedOutput& standard_output, FileReport& report,
                  StepQueue* commits) {
    report.started(file.path);
    auto ending = std::make_shared<Ending>(convert(file, request, standard_output, report));
    if (commits != nullptr && ending->result != nullptr && request.destination != Destination::STANDARD_OUTPUT) {
        commits->run([&file, ending, &report] { commit_and_tell(file, *ending, report); });
        return;
    }
    commit_and_tell(file, *ending, report);
}

}  // namespace tessaline
