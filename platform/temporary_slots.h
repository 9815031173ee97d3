#pragma once

#include <atomic>
#include <cstddef>
#include <cstring>

namespace tessaline {

// The temporary files a run is writing, for the handler that ends the run on a signal to delete:
// a fixed table filled and read without locks, since the handler may run at any moment.
template <size_t PathBytes>
class TemporarySlots {
public:
    // Holds `path` in a free slot: its number, or -1 when the path is too long or no slot is free.
    int hold(const char* path) {
        if (std::strlen(path) >= PathBytes) return -1;
        for (int k = 0; k < slot_count; ++k) {
            bool expected = false;
            if (!slots_[k].taken.compare_exchange_strong(expected, true)) continue;
            std::strcpy(slots_[k].path, path);
            slots_[k].held.store(true);
            return k;
        }
        return -1;
    }

    void release(int slot) {
        if (slot < 0) return;
        slots_[slot].held.store(false);
        slots_[slot].taken.store(false);
    }

    // Calls `remove` with every path held; only what a signal handler may do.
    template <typename Remove>
    void remove_held(Remove remove) {
        for (Slot& slot : slots_)
            if (slot.held.load()) remove(slot.path);
    }

private:
    // As many as the files a run writes at once: one for each of the most jobs the command line allows.
    static constexpr int slot_count = 1024;

    // A slot's path is only read while the slot is held, and only written while it is free, so
    // the handler never sees half a path.
    struct Slot {
        std::atomic<bool> taken;
        std::atomic<bool> held;
        char path[PathBytes];
    };

    Slot slots_[slot_count];
};

}  // namespace tessaline
