#include "engine/passes/orthography_pass.h"

#include <algorithm>
#include <cstring>

#include "engine/passes/output_delivery.h"
#include "engine/text/byte_search.h"

namespace tessaline {

namespace {

// "읍니" is an old spelling of the polite ending "습니". The two never overlap themselves or each
// other, so the endings can be replaced one by one where they stand.
const unsigned char old_ending[] = {0xC0, 0xBE, 0xB4, 0xCF};  // 읍니
const unsigned char new_ending[] = {0xBD, 0xC0, 0xB4, 0xCF};  // 습니
constexpr size_t ending_bytes = sizeof old_ending;
// The bytes at a block's end that may begin an ending the next piece completes.
constexpr size_t cut_ending_bytes = ending_bytes - 1;

// The text is corrected and passed on in blocks of this size: large enough that the search runs
// over long stretches, small enough to stay in the processor's cache.
constexpr size_t pass_block = size_t{1} << 16;

// Replaces every old ending that lies whole in `bytes`. Its first two bytes are looked for
// together: the first alone is the lead byte of many common syllables.
void correct_endings(unsigned char* bytes, size_t count) {
    auto end = static_cast<int64_t>(count);
    for (int64_t i = 0; i + static_cast<int64_t>(ending_bytes) <= end; ++i) {
        i = find_pair(bytes, i, end, old_ending[0], old_ending[1]);
        if (i + static_cast<int64_t>(ending_bytes) > end) break;
        if (std::memcmp(bytes + i, old_ending, ending_bytes) == 0) std::memcpy(bytes + i, new_ending, ending_bytes);
    }
}

}  // namespace

void OrthographyPass::take(const unsigned char* bytes, size_t count) {
    while (count > 0) {
        size_t piece = std::min(count, pass_block - used_);
        block_.reserve(used_ + piece);
        std::memcpy(block_.data() + used_, bytes, piece);
        used_ += piece;
        bytes += piece;
        count -= piece;
        if (used_ >= pass_block) pass_on(cut_ending_bytes);
    }
}

void OrthographyPass::deliver() {
    if (used_ > cut_ending_bytes) pass_on(cut_ending_bytes);
}

void OrthographyPass::finish() { pass_on(0); }

void OrthographyPass::pass_on(size_t kept) {
    if (used_ == 0) return;
    correct_endings(block_.data(), used_);
    kept = std::min(kept, used_);
    out_.put(block_.data(), used_ - kept);
    std::memmove(block_.data(), block_.data() + used_ - kept, kept);
    used_ = kept;
}

}  // namespace tessaline
