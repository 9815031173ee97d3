#include "app/convert_command.h"

#include "app/selection.h"
#include "pipeline/batch_run.h"
#include "pipeline/min_length.h"

namespace tessaline {

BatchRequest selection_request(OptionControls& controls) {
    BatchRequest request;
    request.files = selected_files();
    request.shape = is_multiple_selection() ? RunShape::FILE_LIST : RunShape::SINGLE_FILE;
    request.options.min_line_bytes = min_line_bytes_from(controls.min_length_text().c_str());
    std::array<bool, 4> checked = controls.check_states();
    request.options.split_long_sentences = checked[0];
    request.options.remove_hanja = checked[1];
    request.options.blank_after_long = checked[2];
    request.options.mark_joins = checked[3];
    request.options.joints = JointMode::rules;
    return request;
}

// The window handles no messages while a run converts, so the controls read at its start hold
// for every file of it.
void convert_selection(OptionControls& controls, BatchView& view) {
    if (selection_ready == 0) return;
    BatchRequest request = selection_request(controls);
    BatchOutcome outcome = run_batch(request, view);
    if (request.shape == RunShape::FILE_LIST || outcome.failed == 0) selection_ready = 0;
    controls.uncheck_mark_joins();
}

}  // namespace tessaline
