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

// A run of bytes with the high bit set pairs up into characters from its start: the byte before
// it is a character of its own or the second byte of one. So the ending's bytes, which may also
// stand across two characters (ダ쓴懼), are an ending only an even number of bytes into the run.
bool is_high(unsigned char b) { return b >= 0x80; }

// The last position from `from` on, below `to`, whose byte lacks the high bit; `from` - 1 when none does.
int64_t last_low_byte(const unsigned char* bytes, int64_t from, int64_t to) {
    while (to > from && is_high(bytes[to - 1])) --to;
    return to - 1;
}

// Whether the bytes before `end` close a run of high bytes of odd length, `odd_before` saying so of
// the bytes before the block when the run reaches its start.
bool odd_run_before(const unsigned char* bytes, int64_t end, bool odd_before) {
    int64_t low = last_low_byte(bytes, 0, end);
    return low >= 0 ? (end - low - 1) % 2 == 1 : (end % 2 == 1) != odd_before;
}

// Replaces every old ending that lies whole in the block and starts a character. Its first two
// bytes are looked for together: the first alone is the lead byte of many common syllables. The
// low bytes are looked for only between the endings' places, so the block is read once.
void correct_endings(unsigned char* bytes, int64_t end, bool odd_before) {
    int64_t looked = 0;
    bool odd = odd_before;
    for (int64_t i = 0; i + static_cast<int64_t>(ending_bytes) <= end; ++i) {
        i = find_pair(bytes, i, end, old_ending[0], old_ending[1]);
        if (i + static_cast<int64_t>(ending_bytes) > end) break;
        odd = odd_run_before(bytes + looked, i - looked, odd);
        looked = i;
        if (!odd && std::memcmp(bytes + i, old_ending, ending_bytes) == 0)
            std::memcpy(bytes + i, new_ending, ending_bytes);
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
    correct_endings(block_.data(), static_cast<int64_t>(used_), odd_run_);
    kept = std::min(kept, used_);
    size_t passed = used_ - kept;
    odd_run_ = odd_run_before(block_.data(), static_cast<int64_t>(passed), odd_run_);
    out_.put(block_.data(), passed);
    std::memmove(block_.data(), block_.data() + passed, kept);
    used_ = kept;
}

}  // namespace tessaline
