// The vocabulary mode reads a file whose encoding is found from its text while it is found, on the
// guess that it is CP949, on a core of its own when one is spare. Right or wrong, the guess must
// change nothing: each file below comes out of a batch exactly as when its encoding is named, with
// the same warnings.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <ostream>
#include <sstream>
#include <string>
#include <vector>

#include "pipeline/batch_run.h"
#include "tests/support/cp949.h"
#include "tests/support/recording_view.h"

namespace tessaline {

namespace fs = std::filesystem;

namespace {

struct Converted {
    std::string result;
    std::vector<std::string> warnings;
};

struct FileCase {
    const char* what;
    std::string bytes;
    InputEncoding named;  // the file's real encoding
    OutputEncoding output;
};

void PrintTo(const FileCase& c, std::ostream* out) { *out << c.what; }

std::string wrapped_novel() {
    std::string text;
    for (int k = 0; k < 40; ++k)
        text += cp949(
            "그는 오래된 골목길을 따라 천천히 걸어가면서 옛날 생각에\r\n잠겨 있었다. \"어디\r\n가니?\" 하고 물었다.\r\n");
    return text;
}

std::vector<FileCase> file_cases() {
    std::string novel = wrapped_novel();
    std::string footer = cp949("\r\n[modify by Tessaline  beta2 ver 2010.7.7]\r\n[Text modified date: 2024.3.5]\r\n");
    return {
        {"CP949", novel, InputEncoding::cp949, OutputEncoding::same},
        {"CP949 to UTF-8", novel, InputEncoding::cp949, OutputEncoding::utf8},
        {"CP949 ending in this program's footer", novel + footer, InputEncoding::cp949, OutputEncoding::same},
        {"CP949 with bytes that are not text", "\xFF" + novel + "\xB0", InputEncoding::cp949, OutputEncoding::utf8},
        {"CP949 with NUL bytes", novel + std::string(5000, '\0') + novel, InputEncoding::cp949, OutputEncoding::same},
        {"CP949 with codes of its user rows", novel + "\xC9\xA1\xFE\xFE", InputEncoding::cp949, OutputEncoding::utf8},
        {"UTF-8", utf8(novel) + "😀", InputEncoding::utf8, OutputEncoding::same},
    };
}

class FirstReadingTest : public ::testing::TestWithParam<FileCase> {
protected:
    fs::path folder;

    void SetUp() override {
        char name[] = "/tmp/tessaline-first-reading-XXXXXX";
        folder = mkdtemp(name);
    }
    void TearDown() override { fs::remove_all(folder); }

    Converted convert(const FileCase& c, InputEncoding input, unsigned jobs = 1) {
        fs::path path = folder / "novel.txt";
        std::ofstream(path, std::ios::binary) << c.bytes;
        BatchRequest request;
        request.files = {BatchFile{path.string(), "", false}};
        request.options.joints = JointMode::vocabulary;
        request.input_encoding = input;
        request.output_encoding = c.output;
        request.replace_own_footer = true;
        request.jobs = jobs;
        RecordingView recording;
        run_batch(request, recording);
        std::ifstream in(folder / "Tessaline" / "novel.txt", std::ios::binary);
        std::stringstream result;
        result << in.rdbuf();
        return Converted{result.str(), recording.of("report_warning")};
    }
};

TEST_P(FirstReadingTest, AFileComesOutAsWhenItsEncodingIsNamed) {
    const FileCase& c = GetParam();
    Converted named = convert(c, c.named);
    ASSERT_FALSE(named.result.empty());
    // With a core to spare, the first reading runs beside the reading that finds the encoding.
    for (unsigned jobs : {1u, 2u}) {
        Converted found = convert(c, InputEncoding::automatic, jobs);
        EXPECT_TRUE(found.result == named.result) << "the results differ with " << jobs << " jobs";
        EXPECT_EQ(found.warnings, named.warnings);
    }
}

INSTANTIATE_TEST_SUITE_P(Files, FirstReadingTest, ::testing::ValuesIn(file_cases()),
                         [](const ::testing::TestParamInfo<FileCase>& info) {
                             std::string name;
                             for (const char* p = info.param.what; *p != '\0'; ++p)
                                 if (std::isalnum(static_cast<unsigned char>(*p))) name += *p;
                             return name;
                         });

}  // namespace

}  // namespace tessaline
