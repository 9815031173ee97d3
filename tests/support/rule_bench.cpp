#include "tests/support/rule_bench.h"

#include "engine/passes/line_loop.h"

namespace tessaline {

DocumentProfile profile_after_line_loop(const std::string& source, const ConversionOptions& options) {
    RuleBench bench(options);
    bench.set_source(source);
    LineLoop loop;
    loop.run(bench.cv(), true);
    return bench.cv().profile;
}

RuleBench::RuleBench(const ConversionOptions& options) : conversion(std::make_unique<Conversion>(options)) {}

void RuleBench::set_line(const std::string& bytes) { conversion->line.assign(bytes.data(), bytes.size()); }

void RuleBench::set_output(const std::string& bytes) {
    conversion->output.reset(0);
    conversion->output.append(bytes.data(), bytes.size());
}

void RuleBench::set_source(const std::string& bytes) {
    conversion->source.reset(0);
    conversion->source.append(bytes.data(), bytes.size());
}

std::string RuleBench::line() const {
    const LineText& line = conversion->line;
    return std::string(reinterpret_cast<const char*>(line.bytes()), static_cast<size_t>(line.length));
}

std::string RuleBench::output() const {
    const TextWindow& output = conversion->output;
    if (output.end() == 0) return {};
    return std::string(reinterpret_cast<const char*>(output.pointer(0)), static_cast<size_t>(output.end()));
}

}  // namespace tessaline
