#include "pipeline/document_conversion.h"

#include <cstring>
#include <string>

#include "engine/engine_state.h"
#include "engine/reflow.h"
#include "pipeline/output_writer.h"
#include "pipeline/own_footer.h"
#include "pipeline/run_settings.h"

namespace {

std::string input_path;

// Converting a result again replaces its footer instead of adding a second one.
void leave_out_own_footer() {
    size_t length = std::strlen(reinterpret_cast<const char*>(source_text.bytes));
    source_text.bytes[length_without_own_footer(source_text.bytes, length)] = 0;
}

}  // namespace

void set_current_input_path(const char* path) { input_path = path; }

const char* current_input_path() { return input_path.c_str(); }

int convert_document(const ProgressView* view, int preview_limit) {
    if (run_settings.replace_own_footer == 1 && source_text.bytes != nullptr) leave_out_own_footer();
    reflow_document(view);
    // The source is not needed for writing; its memory goes back before the result is composed.
    text_buffer_release(source_text);
    bool written = write_output(view, final_text(), final_text_length(), input_path.c_str(), preview_limit);
    return written ? 0 : 1;
}
