#include "dictionary/korean_dictionary.h"

#include <cstdlib>
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

void KoreanDictionary::load() {
    tried_ = true;
    std::string error;
    lookup_ = open_word_lookup(named_path_, error);
    if (!lookup_) warn_(error + "; short texts are joined without one");
}

bool KoreanDictionary::available() {
    std::lock_guard<std::mutex> hold(lock_);
    if (!tried_) load();
    return lookup_ != nullptr;
}

bool KoreanDictionary::is_word(std::string_view cp949) {
    std::string utf8 = utf8_of(cp949);
    std::lock_guard<std::mutex> hold(lock_);
    return lookup_ != nullptr && !utf8.empty() && lookup_->is_word(utf8);
}

}  // namespace tessaline
