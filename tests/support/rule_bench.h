#pragma once

#include <memory>
#include <string>

#include "engine/passes/conversion.h"
#include "tests/support/engine_harness.h"

namespace tessaline {

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

}  // namespace tessaline
