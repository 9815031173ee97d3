#include "pipeline/joints_ahead.h"

#include <condition_variable>
#include <deque>
#include <exception>
#include <mutex>
#include <optional>
#include <string>
#include <system_error>
#include <thread>
#include <utility>

#include "engine/joint_scan.h"

namespace tessaline {

namespace {

// Pieces read and scanned that wait for the conversion: a few, so the reading keeps ahead by
// about that much text and no more.
constexpr size_t pieces_waiting = 4;

struct ReadPiece {
    std::string bytes;
    uint64_t position;
};

// The pieces going from the reading's thread to the conversion's. Either side may stop it: the
// reading when the text has all come, the conversion when it fails.
class PieceQueue {
public:
    // False when the conversion has stopped, so the reading need not go on.
    bool put(std::span<const unsigned char> bytes, uint64_t position) {
        std::unique_lock<std::mutex> lock(mutex_);
        changed_.wait(lock, [this] { return stopped_ || waiting_.size() < pieces_waiting; });
        if (stopped_) return false;
        waiting_.push_back(ReadPiece{std::string(reinterpret_cast<const char*>(bytes.data()), bytes.size()), position});
        changed_.notify_all();
        return true;
    }
    // False once every piece is taken and the reading is over.
    bool take(ReadPiece& piece) {
        std::unique_lock<std::mutex> lock(mutex_);
        changed_.wait(lock, [this] { return stopped_ || !waiting_.empty(); });
        if (waiting_.empty()) return false;
        piece = std::move(waiting_.front());
        waiting_.pop_front();
        changed_.notify_all();
        return true;
    }
    void stop() {
        std::lock_guard<std::mutex> lock(mutex_);
        stopped_ = true;
        changed_.notify_all();
    }

private:
    std::mutex mutex_;
    std::condition_variable changed_;
    std::deque<ReadPiece> waiting_;
    bool stopped_ = false;
};

// The reading's thread; it stops the queue however it ends.
class ReadingBeside {
public:
    ReadingBeside(Reflow& reflow, const TextReading& read, const std::function<uint64_t()>& position)
        : scan_(reflow), thread_([this, &read, &position] { run(read, position); }) {}
    ~ReadingBeside() {
        queue_.stop();
        if (thread_.joinable()) thread_.join();
    }

    PieceQueue& queue() { return queue_; }
    JointScan& scan() { return scan_; }
    // Once the thread is done.
    bool result() {
        if (thread_.joinable()) thread_.join();
        if (failure_) std::rethrow_exception(failure_);
        return read_;
    }

private:
    void run(const TextReading& read, const std::function<uint64_t()>& position) {
        try {
            bool going = true;
            read_ = read([&](std::span<const unsigned char> piece) {
                if (!going) return;
                scan_.feed(piece);
                going = queue_.put(piece, position());
            });
            scan_.finish();
        } catch (...) {
            failure_ = std::current_exception();
        }
        queue_.stop();
    }

    JointScan scan_;
    PieceQueue queue_;
    bool read_ = false;
    std::exception_ptr failure_;
    std::thread thread_;  // last, so it starts once the rest is made
};

}  // namespace

bool read_with_joints_ahead(Reflow& reflow, const TextReading& read, const std::function<uint64_t()>& position,
                            const std::function<void(std::span<const unsigned char>, uint64_t position)>& take) {
    std::optional<ReadingBeside> beside;
    try {
        beside.emplace(reflow, read, position);
    } catch (const std::system_error&) {
        // No thread to be had: the text is read here.
        return read([&](std::span<const unsigned char> piece) { take(piece, position()); });
    }
    reflow.read_joints_from(&beside->scan());
    struct Unhook {
        Reflow& reflow;
        ~Unhook() { reflow.read_joints_from(nullptr); }
    } unhook{reflow};
    ReadPiece piece;
    while (beside->queue().take(piece))
        take(std::span(reinterpret_cast<const unsigned char*>(piece.bytes.data()), piece.bytes.size()), piece.position);
    return beside->result();
}

}  // namespace tessaline
