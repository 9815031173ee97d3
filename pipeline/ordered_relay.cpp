#include "pipeline/ordered_relay.h"

#include "platform/platform.h"

namespace tessaline {

namespace {

// Bytes of a later file's result held back while an earlier file is converted; a result longer
// than this waits for its turn rather than filling memory.
constexpr size_t held_output_limit = size_t{1} << 20;

}  // namespace

class OrderedRelay::Slot final : public FileReport, public SharedOutput {
public:
    Slot(OrderedRelay& relay, size_t index) : relay_(relay), index_(index) {}

    void started(const std::string& path) override {
        relay_.tell(index_, [path](FileReport& report) { report.started(path); });
    }
    void loaded() override {
        relay_.tell(index_, [](FileReport& report) { report.loaded(); });
    }
    void progress(int percent) override {
        relay_.tell(index_, [percent](FileReport& report) { report.progress(percent); });
    }
    void failed(const std::string& path, const std::string& reason) override {
        relay_.tell(index_, [path, reason](FileReport& report) { report.failed(path, reason); });
    }
    void written(const std::string& head, uint64_t length) override {
        relay_.tell(index_, [head, length](FileReport& report) { report.written(head, length); });
    }
    void warned(const std::string& path, const std::string& warning) override {
        relay_.tell(index_, [path, warning](FileReport& report) { report.warned(path, warning); });
    }
    void ended() override { relay_.end(index_); }

    bool write(const unsigned char* bytes, size_t count) override {
        {
            std::unique_lock<std::mutex> lock(relay_.mutex_);
            if (relay_.turn_ != index_ && held_.size() + count <= held_output_limit) {
                held_.append(reinterpret_cast<const char*>(bytes), count);
                return true;
            }
        }
        relay_.wait_for_turn(index_);
        return write_held() && platform_write_stdout(bytes, count);
    }

    bool flush() override {
        relay_.wait_for_turn(index_);
        return write_held();
    }

    std::vector<Told> told;  // waiting for this file's turn
    bool has_ended = false;

private:
    // Only the file whose turn it is writes to standard output, so no lock is needed here.
    bool write_held() {
        if (held_.empty()) return true;
        bool written = platform_write_stdout(held_.data(), held_.size());
        std::string().swap(held_);
        return written;
    }

    OrderedRelay& relay_;
    size_t index_;
    std::string held_;
};

OrderedRelay::OrderedRelay(FileReport& target, size_t files) : target_(target) {
    for (size_t k = 0; k < files; ++k) slots_.push_back(std::make_unique<Slot>(*this, k));
}

OrderedRelay::~OrderedRelay() = default;

FileReport& OrderedRelay::report_of(size_t index) { return *slots_[index]; }

SharedOutput& OrderedRelay::output_of(size_t index) { return *slots_[index]; }

void OrderedRelay::tell(size_t index, Told told) {
    std::lock_guard<std::mutex> lock(mutex_);
    if (index == turn_) told(target_);
    else slots_[index]->told.push_back(std::move(told));
}

void OrderedRelay::end(size_t index) {
    std::lock_guard<std::mutex> lock(mutex_);
    slots_[index]->has_ended = true;
    if (index == turn_) pass_turn();
}

// Tells the end of the file whose turn it was, then everything the next files have told so far,
// moving on past every one that has already ended. Called with the lock held.
void OrderedRelay::pass_turn() {
    target_.ended();
    for (++turn_; turn_ < slots_.size(); ++turn_) {
        Slot& next = *slots_[turn_];
        for (Told& told : next.told) told(target_);
        next.told.clear();
        if (!next.has_ended) break;
        target_.ended();
    }
    turn_changed_.notify_all();
}

void OrderedRelay::wait_for_turn(size_t index) {
    std::unique_lock<std::mutex> lock(mutex_);
    turn_changed_.wait(lock, [this, index] { return turn_ == index; });
}

}  // namespace tessaline
