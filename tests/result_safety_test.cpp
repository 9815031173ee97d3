// What the command line asks of the result writer beyond the window: no footer, no writing through
// a linked Tessaline folder, and the input's permission bits.
#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "pipeline/result_writer.h"
#include "tests/support/cp949.h"

namespace tessaline {

namespace fs = std::filesystem;

namespace {

std::string read_all(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

class ResultSafetyTest : public ::testing::Test {
protected:
    fs::path folder;
    fs::path input;
    FileFailure failure;

    void SetUp() override {
        char name[] = "/tmp/tessaline-result-XXXXXX";
        folder = mkdtemp(name);
        input = folder / "a.txt";
        std::ofstream(input) << "input";
    }
    void TearDown() override { fs::remove_all(folder); }

    bool write(const std::string& text, bool footer, bool refuse_linked_folder) {
        ResultWriter writer(TextEncoding::cp949, nullptr, 100, footer);
        if (!writer.open_file(input.string(), "", failure, refuse_linked_folder)) return false;
        writer.write({reinterpret_cast<const unsigned char*>(text.data()), text.size()});
        return writer.finish(failure);
    }
};

TEST_F(ResultSafetyTest, WithoutTheFooterTheResultIsTheTrimmedText) {
    const std::string text = cp949("바다는 잿빛이었다.") + "  \r\n\r\n";
    ASSERT_TRUE(write(text, false, false)) << failure.reason;
    EXPECT_EQ(read_all(folder / "Tessaline" / "a.txt"), cp949("바다는 잿빛이었다.") + "\r\n");
    ASSERT_TRUE(write(text, true, false)) << failure.reason;
    EXPECT_NE(read_all(folder / "Tessaline" / "a.txt").find("[modify by Tessaline"), std::string::npos);
}

TEST_F(ResultSafetyTest, ALinkedTessalineFolderIsWrittenThroughOnlyWhenNotRefused) {
    fs::create_directories(folder / "elsewhere");
    fs::create_directory_symlink("elsewhere", folder / "Tessaline");
    EXPECT_FALSE(write(cp949("글"), true, true));
    EXPECT_EQ(failure.reason,
              "is not written: the Tessaline folder is a symbolic link (name an output folder with -o)");
    EXPECT_TRUE(fs::is_empty(folder / "elsewhere"));
    // The window writes as it always has.
    EXPECT_TRUE(write(cp949("글"), true, false)) << failure.reason;
    EXPECT_TRUE(fs::exists(folder / "elsewhere" / "a.txt"));
}

TEST_F(ResultSafetyTest, TheResultHasTheInputsPermissionBits) {
    for (mode_t mode : {0600, 0640, 0444, 0755}) {
        chmod(input.c_str(), mode);
        ASSERT_TRUE(write(cp949("글"), true, false)) << failure.reason;
        struct stat status {};
        ASSERT_EQ(stat((folder / "Tessaline" / "a.txt").c_str(), &status), 0);
        EXPECT_EQ(status.st_mode & 07777, mode) << std::oct << mode;
    }
}

}  // namespace

}  // namespace tessaline
