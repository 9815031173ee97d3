#include "engine/vocabulary/readings.h"

#include "engine/passes/conversion.h"
#include "engine/text/source_scan.h"

namespace tessaline {

// The scan reads a line from the byte after the LF before its joint: a line the loop begins
// elsewhere, after blank lines, is read by the loop itself.
const JointReading* current_line_reading(Conversion& cv) {
    if (cv.readings == nullptr) return nullptr;
    const JointReading* reading = cv.readings->at(skip_white_run(cv, cv.place.line_end + 1));
    return reading != nullptr && reading->line_start == cv.place.line_start ? reading : nullptr;
}

}  // namespace tessaline
