#include "pipeline/step_queue.h"

#include <system_error>
#include <utility>

namespace tessaline {

StepQueue::StepQueue(size_t most, size_t waiting) : most_(most), waiting_most_(waiting != 0 ? waiting : most) {
    try {
        while (threads_.size() < most_) threads_.emplace_back([this] { work(); });
    } catch (const std::system_error&) {
        // The system gives no more threads: the ones it gave take every step.
    }
}

StepQueue::~StepQueue() {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        closing_ = true;
    }
    changed_.notify_all();
    for (std::thread& thread : threads_) thread.join();
}

void StepQueue::run(std::function<void()> step) {
    if (threads_.empty()) {
        step();
        return;
    }
    std::unique_lock<std::mutex> lock(mutex_);
    changed_.wait(lock, [this] { return waiting_.size() < waiting_most_; });
    waiting_.push_back(std::move(step));
    lock.unlock();
    changed_.notify_all();
}

void StepQueue::work() {
    for (;;) {
        std::unique_lock<std::mutex> lock(mutex_);
        changed_.wait(lock, [this] { return closing_ || !waiting_.empty(); });
        if (waiting_.empty()) return;
        std::function<void()> step = std::move(waiting_.front());
        waiting_.pop_front();
        lock.unlock();
        changed_.notify_all();
        step();
    }
}

}  // namespace tessaline
