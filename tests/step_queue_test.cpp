// The steps handed to a commit queue all run, on its own threads, before the queue is gone.
#include "pipeline/step_queue.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <mutex>
#include <set>
#include <thread>

namespace tessaline {

namespace {

TEST(StepQueue, EveryStepHasRunWhenTheQueueIsGone) {
    for (size_t most : {1u, 2u, 8u}) {
        std::atomic<int> ran = 0;
        {
            StepQueue queue(most);
            for (int k = 0; k < 200; ++k)
                queue.run([&ran] {
                    std::this_thread::sleep_for(std::chrono::microseconds(50));
                    ++ran;
                });
        }
        EXPECT_EQ(ran, 200) << most;
    }
}

TEST(StepQueue, StepsRunBesideTheThreadThatHandsThemOver) {
    std::mutex mutex;
    std::set<std::thread::id> threads;
    {
        StepQueue queue(2);
        for (int k = 0; k < 20; ++k)
            queue.run([&] {
                std::lock_guard<std::mutex> lock(mutex);
                threads.insert(std::this_thread::get_id());
            });
    }
    EXPECT_EQ(threads.count(std::this_thread::get_id()), 0u);
    EXPECT_FALSE(threads.empty());
}

TEST(StepQueue, WithoutThreadsAStepRunsAtOnce) {
    StepQueue queue(0);
    bool ran = false;
    queue.run([&ran] { ran = true; });
    EXPECT_TRUE(ran);
}

}  // namespace

}  // namespace tessaline
