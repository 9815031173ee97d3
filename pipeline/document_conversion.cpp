#include "pipeline/document_conversion.h"

#include <string>

#include "engine/engine_state.h"
#include "engine/reflow.h"
#include "pipeline/output_writer.h"

namespace {

std::string input_path;

}  // namespace

void set_current_input_path(const char* path) { input_path = path; }

const char* current_input_path() { return input_path.c_str(); }

int convert_document(const ProgressView* view, int preview_limit) {
    reflow_document(view);
    // The source is not needed for writing; its memory goes back before the result is composed.
    text_buffer_release(source_text);
    bool written = write_output(view, final_text(), final_text_length(), input_path.c_str(), preview_limit);
    return written ? 0 : 1;
}
