#include "cli/run_driver.h"

#include <thread>
#include <utility>

#include "pipeline/min_length.h"
#include "platform/platform.h"

namespace tessaline {

namespace {

// A text read as UTF-16 takes at most twice its bytes in CP949, the form the limit counts.
constexpr uint64_t widest_encoding_factor = 2;

bool may_be_short_text(const BatchFile& file) {
    if (file.standard_input) return true;
    uint64_t size = 0;
    PlatformFile* opened = platform_open_existing(file.path.c_str(), &size);
    if (opened == nullptr) return false;
    platform_close(opened);
    return size <= widest_encoding_factor * static_cast<uint64_t>(dictionary_text_limit);
}

unsigned processor_cores() {
    unsigned cores = std::thread::hardware_concurrency();
    return cores == 0 ? 1 : cores;
}

ConversionOptions conversion_options_of(const CliOptions& options) {
    ConversionOptions conversion;
    conversion.split_long_sentences = options.split_long_sentences == 1;
    conversion.remove_hanja = options.remove_hanja == 1;
    conversion.blank_after_long = options.blank_after_long == 1;
    conversion.mark_joins = options.mark_joins == 1;
    conversion.min_line_bytes = min_line_bytes_from(options.min_length_text.c_str());
    conversion.joints = options.joints;
    return conversion;
}

Destination destination_of(const CliOptions& options) {
    if (options.to_stdout) return Destination::STANDARD_OUTPUT;
    return options.output_dir.empty() ? Destination::TESSALINE_FOLDER : Destination::OUTPUT_FOLDER;
}

}  // namespace

BatchRequest command_request(const CliOptions& options, std::vector<BatchFile> files) {
    BatchRequest request;
    request.shape = files.size() == 1 ? RunShape::SINGLE_FILE : RunShape::FILE_LIST;
    request.files = std::move(files);
    request.options = conversion_options_of(options);
    request.input_encoding = options.input_encoding;
    request.output_encoding = options.output_encoding;
    request.destination = destination_of(options);
    request.jobs = options.jobs != 0 ? options.jobs : processor_cores();
    request.footer = options.footer;
    request.replace_own_footer = true;
    request.refuse_linked_folder = true;
    return request;
}

bool batch_may_ask_dictionary(const BatchRequest& request) {
    if (request.options.joints != JointMode::vocabulary) return false;
    for (const BatchFile& file : request.files)
        if (may_be_short_text(file)) return true;
    return false;
}

}  // namespace tessaline
