#pragma once

#include <cstddef>

#include "engine/reflow.h"
#include "engine/text/byte_buffer.h"

namespace tessaline {

// Collects finished output into blocks, so the sink is called for every few dozen kilobytes
// rather than for every line.
class OutputDelivery {
public:
    void put(const void* bytes, size_t count);

    // Hands everything collected to `sink`.
    void flush(OutputSink& sink);

    // The sink that receives full blocks while a feed or finish call runs.
    void use(OutputSink* sink) { sink_ = sink; }

private:
    ByteBuffer block_;
    size_t used_ = 0;
    OutputSink* sink_ = nullptr;
};

}  // namespace tessaline
