#include "engine/passes/output_delivery.h"

#include <cstring>

namespace tessaline {

namespace {

// Large enough that a sink call costs nothing beside the bytes it carries.
constexpr size_t block_bytes = size_t{1} << 16;
// Bytes that come in pieces at least this large go to the sink as they are, without a copy.
constexpr size_t passed_whole = block_bytes / 2;

}  // namespace

void OutputDelivery::put(const void* bytes, size_t count) {
    if (used_ + count > block_bytes && sink_ != nullptr) flush(*sink_);
    if (count >= passed_whole && sink_ != nullptr) {
        flush(*sink_);
        sink_->write(std::span<const unsigned char>(static_cast<const unsigned char*>(bytes), count));
        return;
    }
    block_.reserve(used_ + count);
    if (count > 0) std::memcpy(block_.data() + used_, bytes, count);
    used_ += count;
}

void OutputDelivery::flush(OutputSink& sink) {
    if (used_ == 0) return;
    size_t count = used_;
    used_ = 0;
    sink.write(std::span<const unsigned char>(block_.data(), count));
}

}  // namespace tessaline
