#include "engine/vocabulary/dictionary.h"

namespace tessaline {

namespace {

// Hangul syllables lead with the bytes up to this one; Hanja and the private rows follow.
constexpr unsigned char last_hangul_lead = 0xC8;

bool is_hangul_run(const unsigned char* run, uint8_t length) {
    if (length == 0 || length > max_word_bytes) return false;
    for (uint8_t k = 0; k < length; k += 2)
        if (!is_syllable_lead(run[k]) || run[k] > last_hangul_lead) return false;
    return true;
}

std::string_view bytes_of(const unsigned char* run, uint8_t length) {
    return std::string_view(reinterpret_cast<const char*>(run), length);
}

}  // namespace

bool DictionaryAnswers::is_word(std::string_view cp949) {
    auto known = answers_.find(std::string(cp949));
    if (known != answers_.end()) return known->second;
    bool word = dictionary_->is_word(cp949);
    answers_.emplace(cp949, word);
    return word;
}

DictionaryReading DictionaryAnswers::read(const JointWords& joint) {
    DictionaryReading reading;
    if (dictionary_ == nullptr || !between_syllables(joint) || !is_hangul_run(joint.before, joint.before_length) ||
        !is_hangul_run(joint.after, joint.after_length))
        return reading;
    std::string fused = std::string(bytes_of(joint.before, joint.before_length)) +
                        std::string(bytes_of(joint.after, joint.after_length));
    reading.consulted = true;
    reading.fused_word = is_word(fused);
    reading.before_word = is_word(bytes_of(joint.before, joint.before_length));
    reading.after_word = is_word(bytes_of(joint.after, joint.after_length));
    return reading;
}

}  // namespace tessaline
