// The command line loads the spelling dictionary ahead only when a conversion of the batch may
// ask it: in the vocabulary mode, for standard input or a file that may be a short text.

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "cli/run_driver.h"

namespace tessaline {

namespace fs = std::filesystem;

namespace {

enum class Input { short_file, long_file, missing_file, standard_input };

struct AheadCase {
    const char* what;
    JointMode joints;
    std::vector<Input> inputs;
    bool loads_ahead;
};

class DictionaryAhead : public testing::TestWithParam<AheadCase> {
protected:
    void SetUp() override {
        std::string pattern = (fs::temp_directory_path() / "tessaline-ahead-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        folder = pattern;
        std::ofstream(folder / "short.txt") << "민서는 낡은 가방을\n";
        std::ofstream(folder / "long.txt") << "민서는";
        fs::resize_file(folder / "long.txt", 3 * static_cast<uintmax_t>(dictionary_text_limit));
    }
    void TearDown() override { fs::remove_all(folder); }

    BatchFile file_of(Input input) const {
        switch (input) {
        case Input::short_file: return BatchFile{(folder / "short.txt").string(), "", false};
        case Input::long_file: return BatchFile{(folder / "long.txt").string(), "", false};
        case Input::missing_file: return BatchFile{(folder / "missing.txt").string(), "", false};
        case Input::standard_input: return BatchFile{"-", "", true};
        }
        return {};
    }

    fs::path folder;
};

TEST_P(DictionaryAhead, OnlyWhenAConversionMayAsk) {
    const AheadCase& c = GetParam();
    BatchRequest request;
    request.options.joints = c.joints;
    for (Input input : c.inputs) request.files.push_back(file_of(input));
    EXPECT_EQ(batch_may_ask_dictionary(request), c.loads_ahead);
}

INSTANTIATE_TEST_SUITE_P(
    Batches, DictionaryAhead,
    testing::Values(AheadCase{"a short file", JointMode::vocabulary, {Input::short_file}, true},
                    AheadCase{
                        "the rules never ask", JointMode::rules, {Input::short_file, Input::standard_input}, false},
                    AheadCase{"long files only", JointMode::vocabulary, {Input::long_file, Input::missing_file}, false},
                    AheadCase{"a short file after long ones",
                              JointMode::vocabulary,
                              {Input::long_file, Input::missing_file, Input::short_file},
                              true},
                    AheadCase{"standard input may be short", JointMode::vocabulary, {Input::standard_input}, true}),
    [](const testing::TestParamInfo<AheadCase>& info) {
        std::string name = info.param.what;
        for (char& c : name)
            if (c == ' ') c = '_';
        return name;
    });

}  // namespace

}  // namespace tessaline
