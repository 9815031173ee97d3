#include "engine/passes/orthography_pass.h"

#include <algorithm>
#include <cstring>

#include "engine/passes/output_delivery.h"
#include "engine/text/byte_search.h"

namespace tessaline {

namespace {

// "읍니" is an old spelling of the polite ending "습니". The two never overlap themselves or each
// other, so the endings can be replaced one by one where they stand.
const unsigned char OLD_ENDING[] = {0xC0, 0xBE, 0xB4, 0xCF};  // 읍니
const unsigned char NEW_ENDING[] = {0xBD, 0xC0, 0xB4, 0xCF};  // 습니
constexpr size_t ENDING_BYTES = sizeof OLD_ENDING;
// The bytes at a block's end that may begin an ending the next piece completes.
constexpr size_t CUT_ENDING_BYTES = ENDING_BYTES - 1;

// The text is corrected and passed on in blocks of this size: large enough that the search runs
// over long stretches, small enough to stay in the processor's cache.
constexpr size_t PASS_BLOCK = size_t{1} << 16;

// Replaces every old ending that lies whole in `bytes`. Its first two bytes are looked for
// together: the first alone is the lead byte of many common syllables.
void correct_endings(unsigned char* bytes, size_t count) {
    auto end = static_cast<int64_t>(count);
    for (int64_t i = 0; i + static_cast<int64_t>(ENDING_BYTES) <= end; ++i) {
        i = find_pair(bytes, i, end, OLD_ENDING[0], OLD_ENDING[1]);
        if (i + static_cast<int64_t>(ENDING_BYTES) > end) break;
        if (std::memcmp(bytes + i, OLD_ENDING, ENDING_BYTES) == 0) std::memcpy(bytes + i, NEW_ENDING, ENDING_BYTES);
    }
}

}  // namespace

void OrthographyPass::take(const unsigned char* bytes, size_t count) {
    while (count > 0) {
        size_t piece = std::min(count, PASS_BLOCK - used_);
        block_.reserve(used_ + piece);
        std::memcpy(block_.data() + used_, bytes, piece);
        used_ += piece;
        bytes += piece;
        count -= piece;
        if (used_ >= PASS_BLOCK) pass_on(CUT_ENDING_BYTES);
    }
}

void OrthographyPass::deliver() {
    if (used_ > CUT_ENDING_BYTES) pass_on(CUT_ENDING_BYTES);
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
