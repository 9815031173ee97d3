#include "dictionary/korean_dictionary.h"

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <utility>

#include "platform/platform.h"

namespace {

bool is_file(const std::string& path) {
    std::error_code error;
    return std::filesystem::is_regular_file(path, error);
}

std::string listed(const std::vector<std::string>& folders) {
    std::string list;
    for (const std::string& folder : folders) list += (list.empty() ? "" : ", ") + folder;
    return list;
}

std::string utf8_of(std::string_view cp949) {
    size_t count = 0;
    unsigned char* bytes = platform_cp949_to_utf8(reinterpret_cast<const unsigned char*>(cp949.data()), cp949.size(), &count);
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
    std::optional<DictionaryFiles> files;
    if (!named_path_.empty()) {
        files = dictionary_at(named_path_, is_file);
        if (!files) {
            warn_("no Korean spelling dictionary at '" + named_path_ + "' (ko.aff and ko.dic); short texts are joined without one");
            return;
        }
    } else {
        std::vector<std::string> folders = dictionary_folders(std::getenv("DICPATH"));
        for (const std::string& folder : folders)
            if ((files = dictionary_in(folder, is_file))) break;
        if (!files) {
            warn_("no Korean spelling dictionary (ko.aff and ko.dic) in " + listed(folders) +
                  "; short texts are joined without one. Install hunspell-ko, or name one with --dictionary");
            return;
        }
    }
    std::string error;
    lookup_ = open_word_lookup(*files, error);
    if (!lookup_) warn_(error + "; short texts are joined without a dictionary");
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
