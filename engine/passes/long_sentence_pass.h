#pragma once

#include <cstdint>

namespace tessaline {

struct Conversion;
class OrthographyPass;

// Splits very long paragraphs of the output text at sentence ends and adds an empty line after
// long ones, passing the text on paragraph by paragraph as soon as the output after it is known
// as far as the pass looks.
class LongSentencePass {
public:
    // Passes on every paragraph of the output text that is ready; `finished` when the line loop
    // has written its last byte.
    void take(Conversion& cv, bool finished, OrthographyPass& next);

    // The output text before this position has been passed on.
    int64_t position() const { return paragraph_start_; }

private:
    bool counted_ = false;  // the very long lines at the start of the output are counted
    int32_t long_line_count_ = 0;
    int64_t paragraph_start_ = 0;
    int64_t searched_ = 0;  // the paragraph holds no LF before this
};

}  // namespace tessaline
