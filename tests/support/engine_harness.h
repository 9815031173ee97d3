#pragma once

#include <memory>
#include <string>

#include "engine/conversion.h"
#include "engine/reflow.h"

using tessaline::ConversionOptions;
using tessaline::JointMode;

// Options as the window starts: long-sentence splitting and the blank line after long
// paragraphs on, the rest off, minimum length "15".
ConversionOptions window_defaults();

// Every option off and no minimum length: only the line loop's own rules act.
ConversionOptions plain_options();

// Runs the engine on `source` (CP949 bytes) and returns the final text.
std::string reflow(const std::string& source, const ConversionOptions& options);

// The same for text written in UTF-8: converted to CP949 on the way in and back on the way out,
// so expectations read as Korean.
std::string reflow_utf8(const std::string& source, const ConversionOptions& options);

// The document profile the line loop ends with on `source` (CP949).
DocumentProfile profile_after_line_loop(const std::string& source, const ConversionOptions& options);

// A conversion set up to run one rule alone, as the line loop would hand it over: the current
// line, the output text before it and the source text around it, each given in CP949.
struct RuleBench {
    explicit RuleBench(const ConversionOptions& options = plain_options());

    void set_line(const std::string& bytes);
    void set_output(const std::string& bytes);
    void set_source(const std::string& bytes);

    std::string line() const;
    std::string output() const;

    // The conversion lives on the heap: its vocabulary's tables are large.
    std::unique_ptr<Conversion> conversion;
    Conversion& cv() { return *conversion; }
};
