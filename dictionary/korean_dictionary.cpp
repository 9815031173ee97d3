#include "dictionary/korean_dictionary.h"

#include <cstdlib>
#include <system_error>
#include <utility>

#include "platform/platform.h"

namespace tessaline {

namespace {

std::string utf8_of(std::string_view cp949) {
    size_t count = 0;
    unsigned char* bytes =
        platform_cp949_to_utf8(reinterpret_cast<const unsigned char*>(cp949.data()), cp949.size(), &count);
    if (bytes == nullptr) return {};
    std::string text(reinterpret_cast<char*>(bytes), count);
    std::free(bytes);
    return text;
}

}  // namespace

KoreanDictionary::KoreanDictionary(std::string named_path, std::function<void(const std::string&)> warn)
    : named_path_(std::move(named_path)), warn_(std::move(warn)) {}

KoreanDictionary::~KoreanDictionary() {
    if (loader_.joinable()) loader_.join();
}

void KoreanDictionary::load() {
    std::call_once(loaded_, [this] { lookup_ = open_word_lookup(named_path_, error_); });
}

void KoreanDictionary::load_ahead() {
    if (loader_.joinable()) return;
    try {
        loader_ = std::thread([this] { load(); });
    } catch (const std::system_error&) {
        // Without a thread of its own the dictionary loads when first asked.
    }
}

bool KoreanDictionary::available() {
    std::lock_guard<std::mutex> hold(ready_lock_);
    if (!ready_) {
        if (loader_.joinable()) loader_.join();
        load();
        ready_ = true;
        if (!lookup_) warn_(error_ + "; short texts are joined without one");
    }
    return lookup_ != nullptr;
}

bool KoreanDictionary::look_up(std::string_view cp949) {
    std::string utf8 = utf8_of(cp949);
    if (utf8.empty()) return false;
    std::lock_guard<std::mutex> hold(lookup_lock_);
    return lookup_->is_word(utf8);
}

bool KoreanDictionary::is_word(std::string_view cp949) {
    if (!available()) return false;
    std::string word(cp949);
    {
        std::lock_guard<std::mutex> hold(answers_lock_);
        auto known = answers_.find(word);
        if (known != answers_.end()) return known->second;
    }
    bool answer = look_up(cp949);
    std::lock_guard<std::mutex> hold(answers_lock_);
    answers_.emplace(std::move(word), answer);
    return answer;
}

}  // namespace tessaline
