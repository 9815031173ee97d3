#pragma once

#include <condition_variable>
#include <cstddef>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

namespace tessaline {

// Runs the last step of writing results, which waits for the disk rather than the processor, on
// threads of its own, so that the threads that convert go on with the next file meanwhile. At
// most `most` steps wait to run; a further one waits for room. Without threads each step runs at
// once, on the thread that hands it over.
class CommitQueue {
public:
    explicit CommitQueue(size_t most);
    // Runs every step handed over before it returns.
    ~CommitQueue();
    CommitQueue(const CommitQueue&) = delete;
    CommitQueue& operator=(const CommitQueue&) = delete;

    void run(std::function<void()> step);

private:
    void work();

    size_t most_;
    std::mutex mutex_;
    std::condition_variable changed_;
    std::deque<std::function<void()>> waiting_;
    bool closing_ = false;
    std::vector<std::thread> threads_;
};

}  // namespace tessaline
