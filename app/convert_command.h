#pragma once

#include <array>
#include <string>

#include "pipeline/batch_request.h"
#include "pipeline/batch_view.h"

namespace tessaline {

// The option controls of the main window, as the convert button reads and resets them.
class OptionControls {
public:
    virtual ~OptionControls() = default;
    // The check states of the checkboxes with ids 1 to 4: split long sentences, remove Hanja,
    // blank line after long paragraphs, join mark.
    virtual std::array<bool, 4> check_states() = 0;
    // At most the first nine characters of the minimum-length field.
    virtual std::string min_length_text() = 0;
    virtual void uncheck_mark_joins() = 0;
};

// The request for the current selection under the options the controls hold now: CP949 in (a
// byte-order mark decides otherwise) and out, into the Tessaline folder, one file at a time.
BatchRequest selection_request(OptionControls& controls);

// The convert button. With a fresh choice it converts the chosen files under the options set in
// the window, uses the choice up (a single file that failed stays chosen, to be tried again) and
// unchecks the join mark, which applies to one run only. Without one it does nothing.
void convert_selection(OptionControls& controls, BatchView& view);

}  // namespace tessaline
