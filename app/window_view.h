#pragma once

#include "app/convert_command.h"
#include "pipeline/batch_view.h"

namespace tessaline {

// The batch view on the main window's controls: the two bars, the status line, the path and
// preview boxes and the completion message box. Failures are named in the completion texts.
class WindowView final : public BatchView {
public:
    void show_path(const std::string& path) override;
    void set_status(const std::string& text) override;
    void set_file_progress(int percent) override;
    void show_preview(const std::string& text) override;
    void set_batch_progress(int files_done) override;
    void refresh() override;
    void show_message(const std::string& text) override;
    // The batch bar's range, set when several files are chosen.
    void set_batch_range(int count);
};

WindowView& window_view();

// The checkboxes and the minimum-length field of the main window.
OptionControls& window_option_controls();

}  // namespace tessaline
