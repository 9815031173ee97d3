#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/platform.h"
#include "tests/win32/support/win32_harness.h"

namespace tessaline {

namespace {

class FilesTest : public ::testing::Test {
protected:
    void SetUp() override { folder = fresh_folder("tessaline-files"); }

    bool replace(const std::string& path, const std::string& bytes) {
        return platform_replace_file(path.c_str(), bytes.data(), bytes.size());
    }

    std::vector<std::string> listing() {
        std::vector<std::string> names;
        auto visit = [](void* context, const char* name, bool is_folder) {
            static_cast<std::vector<std::string>*>(context)->push_back(std::string(name) + (is_folder ? "\\" : ""));
        };
        EXPECT_TRUE(platform_list_folder(folder.c_str(), visit, &names));
        return names;
    }

    std::string folder;
};

}  // namespace

TEST_F(FilesTest, ReplacingWritesTheBytesAndLeavesNoTemporaryFileBehind) {
    std::string path = folder + cp949("소설.txt");
    ASSERT_TRUE(replace(path, "first version, longer than the second"));
    ASSERT_TRUE(replace(path, cp949("둘째\r\n")));
    EXPECT_EQ(read_file(path), cp949("둘째\r\n"));
    EXPECT_EQ(listing(), std::vector<std::string>{cp949("소설.txt")});
}

TEST_F(FilesTest, ReplacingInAMissingFolderFailsAndSaysWhy) {
    EXPECT_FALSE(replace(folder + "missing\\a.txt", "text"));
    EXPECT_STREQ(platform_error_text(), "No such file or directory");
}

TEST_F(FilesTest, ReplacingAFileInUseKeepsItsEarlierContent) {
    std::string path = folder + "a.txt";
    ASSERT_TRUE(replace(path, "earlier"));
    HANDLE held = CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    EXPECT_FALSE(replace(path, "later"));
    CloseHandle(held);
    EXPECT_EQ(read_file(path), "earlier");
    EXPECT_EQ(listing(), std::vector<std::string>{"a.txt"}) << "the temporary file is removed";
}

TEST_F(FilesTest, OpeningReadsFilesOnly) {
    write_file(folder + "a.txt", "abc");
    uint64_t size = 0;
    PlatformFile* file = platform_open_existing((folder + "a.txt").c_str(), &size);
    ASSERT_NE(file, nullptr);
    EXPECT_EQ(size, 3u);
    char bytes[4] = "";
    EXPECT_TRUE(platform_read_exact(file, bytes, 3));
    EXPECT_EQ(std::string(bytes, 3), "abc");
    EXPECT_FALSE(platform_read_exact(file, bytes, 1)) << "reading past the end is a short read";
    platform_close(file);

    struct Case {
        std::string path;
        const char* reason;
    };
    for (const Case& c : {Case{folder, "it is a folder, not a file"},
                          Case{folder + "missing.txt", "No such file or directory"}, Case{"CON", nullptr}}) {
        EXPECT_EQ(platform_open_existing(c.path.c_str(), &size), nullptr) << c.path;
        if (c.reason != nullptr) {
            EXPECT_STREQ(platform_error_text(), c.reason) << c.path;
        }
    }
}

TEST_F(FilesTest, FoldersAreCreatedListedInByteOrderAndComparedAsWindowsDoes) {
    EXPECT_TRUE(platform_create_folder((folder + "Tessaline").c_str()));
    EXPECT_TRUE(platform_create_folder((folder + "Tessaline").c_str())) << "an existing folder is fine";
    write_file(folder + "b.txt", "b");
    write_file(folder + "B.doc", "B");
    EXPECT_FALSE(platform_create_folder((folder + "b.txt").c_str()));
    EXPECT_STREQ(platform_error_text(), "a file of that name is in the way");
    EXPECT_TRUE(platform_is_folder((folder + "Tessaline").c_str()));
    EXPECT_FALSE(platform_is_folder((folder + "b.txt").c_str()));
    EXPECT_EQ(listing(), (std::vector<std::string>{"B.doc", "Tessaline\\", "b.txt"}));

    // Windows names are the same file whatever their case and separators.
    EXPECT_TRUE(platform_same_file((folder + "b.txt").c_str(), (folder + "B.TXT").c_str()));
    EXPECT_TRUE(platform_same_file((folder + "Tessaline").c_str(), (folder + "tessaline\\").c_str()));
    EXPECT_FALSE(platform_same_file((folder + "b.txt").c_str(), (folder + "B.doc").c_str()));
    EXPECT_FALSE(platform_same_file((folder + "b.txt").c_str(), (folder + "missing.txt").c_str()));
}

}  // namespace tessaline
