#include "engine/passes/orthography_pass.h"

#include <algorithm>
#include <cstring>

#include "engine/passes/output_delivery.h"
#include "engine/text/byte_search.h"

namespace tessaline {

namespace {

// "읍니" is an old spelling of the polite ending "습니".
const unsigned char OLD_ENDING[] = {0xC0, 0xBE, 0xB4, 0xCF};  // 읍니
const unsigned char NEW_ENDING[] = {0xBD, 0xC0, 0xB4, 0xCF};  // 습니
constexpr size_t ENDING_BYTES = sizeof OLD_ENDING;

bool old_ending_at(const unsigned char* bytes) { return std::memcmp(bytes, OLD_ENDING, ENDING_BYTES) == 0; }

// Position of the next old ending at or after `from` that ends within `count`, or `count`. Its
// first two bytes are looked for together: the first alone is the lead byte of many common
// syllables.
size_t next_old_ending(const unsigned char* bytes, size_t count, size_t from) {
    auto end = static_cast<int64_t>(count);
    for (auto i = static_cast<int64_t>(from); i + static_cast<int64_t>(ENDING_BYTES) <= end; ++i) {
        i = find_pair(bytes, i, end, OLD_ENDING[0], OLD_ENDING[1]);
        if (i + static_cast<int64_t>(ENDING_BYTES) > end) break;
        if (old_ending_at(bytes + i)) return static_cast<size_t>(i);
    }
    return count;
}

}  // namespace

size_t OrthographyPass::take_waiting(const unsigned char* bytes, size_t count) {
    unsigned char joined[2 * ENDING_BYTES] = {};
    size_t added = std::min(count, ENDING_BYTES - 1);
    std::memcpy(joined, waiting_, waiting_count_);
    std::memcpy(joined + waiting_count_, bytes, added);
    size_t length = waiting_count_ + added;
    size_t i = 0;
    while (i < waiting_count_) {
        if (i + ENDING_BYTES > length) {
            // Too few bytes yet to tell: all of them wait for the next piece.
            waiting_count_ = length - i;
            std::memmove(waiting_, joined + i, waiting_count_);
            return count;
        }
        if (old_ending_at(joined + i)) {
            out_.put(NEW_ENDING, ENDING_BYTES);
            i += ENDING_BYTES;
        } else {
            out_.put(joined + i, 1);
            ++i;
        }
    }
    size_t used = i - waiting_count_;
    waiting_count_ = 0;
    return used;
}

void OrthographyPass::take(const unsigned char* bytes, size_t count) {
    // Waiting bytes without the ending's first byte begin none.
    if (waiting_count_ > 0 && std::memchr(waiting_, OLD_ENDING[0], waiting_count_) == nullptr) {
        out_.put(waiting_, waiting_count_);
        waiting_count_ = 0;
    }
    size_t i = waiting_count_ > 0 ? take_waiting(bytes, count) : 0;
    while (i < count) {
        size_t ending = next_old_ending(bytes, count, i);
        if (ending == count) break;
        out_.put(bytes + i, ending - i);
        out_.put(NEW_ENDING, ENDING_BYTES);
        i = ending + ENDING_BYTES;
    }
    if (i >= count) return;
    // The last bytes may begin an ending that the next piece completes.
    size_t decided = count - i > ENDING_BYTES - 1 ? count - (ENDING_BYTES - 1) : i;
    out_.put(bytes + i, decided - i);
    waiting_count_ = count - decided;
    std::memcpy(waiting_, bytes + decided, waiting_count_);
}

void OrthographyPass::finish() {
    out_.put(waiting_, waiting_count_);
    waiting_count_ = 0;
}

}  // namespace tessaline
