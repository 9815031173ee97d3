#pragma once

#include <condition_variable>
#include <cstddef>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

namespace tessaline {

// Runs steps on threads of its own, so that the thread that hands them over goes on meanwhile:
// the last step of writing a result, which waits for the disk, or the first reading of a text
// while it is still being read. It starts `most` threads, and at most `waiting` steps (by
// default `most`) wait to run; a further one waits for room. One thread runs the steps in the
// order they came. Without threads (none asked, or none given) each step runs at once, on the
// thread that hands it over.
class StepQueue {
public:
    explicit StepQueue(size_t most, size_t waiting = 0);
    // Runs every step handed over before it returns.
    ~StepQueue();
    StepQueue(const StepQueue&) = delete;
    StepQueue& operator=(const StepQueue&) = delete;

    void run(std::function<void()> step);

private:
    void work();

    size_t most_;
    size_t waiting_most_;
    std::mutex mutex_;
    std::condition_variable changed_;
    std::deque<std::function<void()>> waiting_;
    bool closing_ = false;
    std::vector<std::thread> threads_;
};

}  // namespace tessaline
