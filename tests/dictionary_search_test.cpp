// Where the command line looks for the Korean spelling dictionary.

#include "dictionary/dictionary_search.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

namespace tessaline {

namespace {

struct FolderCase {
    const char* what;
    const char* dicpath;
    std::vector<std::string> first;  // the folders looked in before the system's own
};

class DictionaryFolders : public testing::TestWithParam<FolderCase> {};

TEST_P(DictionaryFolders, ReadDicpathFirst) {
    const FolderCase& c = GetParam();
    std::vector<std::string> folders = dictionary_folders(c.dicpath);
    ASSERT_GT(folders.size(), c.first.size());
    EXPECT_EQ(std::vector<std::string>(folders.begin(), folders.begin() + static_cast<std::ptrdiff_t>(c.first.size())),
              c.first);
    EXPECT_EQ(folders[c.first.size()], "/usr/share/hunspell") << "where Debian's hunspell-ko installs it";
}

INSTANTIATE_TEST_SUITE_P(Paths, DictionaryFolders,
                         testing::Values(FolderCase{"none", nullptr, {}}, FolderCase{"empty", "", {}},
                                         FolderCase{"several_and_an_empty_entry", "/a:/b::/c", {"/a", "/b", "/c"}}),
                         [](const testing::TestParamInfo<FolderCase>& info) { return std::string(info.param.what); });

struct FilesCase {
    const char* what;
    std::set<std::string> present;
    const char* path;   // a folder, or a file of the dictionary
    const char* words;  // the .dic found, empty when none
};

class DictionaryPlace : public testing::TestWithParam<FilesCase> {};

TEST_P(DictionaryPlace, AreFoundInPairs) {
    const FilesCase& c = GetParam();
    auto exists = [&c](const std::string& path) { return c.present.count(path) > 0; };
    std::optional<DictionaryFiles> found = dictionary_at(c.path, exists);
    if (*c.words == 0) {
        EXPECT_FALSE(found.has_value());
        return;
    }
    ASSERT_TRUE(found.has_value());
    EXPECT_EQ(found->words, c.words);
    EXPECT_EQ(found->affixes.substr(0, found->affixes.size() - 4), found->words.substr(0, found->words.size() - 4));
}

INSTANTIATE_TEST_SUITE_P(
    Places, DictionaryPlace,
    testing::Values(FilesCase{"folder_with_ko", {"/d/ko.aff", "/d/ko.dic"}, "/d", "/d/ko.dic"},
                    FilesCase{"folder_with_a_slash", {"/d/ko.aff", "/d/ko.dic"}, "/d/", "/d/ko.dic"},
                    FilesCase{"folder_with_ko_KR", {"/d/ko_KR.aff", "/d/ko_KR.dic"}, "/d", "/d/ko_KR.dic"},
                    FilesCase{"folder_without_the_affixes", {"/d/ko.dic"}, "/d", ""},
                    FilesCase{"named_dic_file", {"/d/x.aff", "/d/x.dic"}, "/d/x.dic", "/d/x.dic"},
                    FilesCase{"named_aff_file", {"/d/x.aff", "/d/x.dic"}, "/d/x.aff", "/d/x.dic"},
                    FilesCase{"named_file_without_its_pair", {"/d/x.dic"}, "/d/x.dic", ""},
                    FilesCase{"nothing_there", {}, "/d", ""}),
    [](const testing::TestParamInfo<FilesCase>& info) { return std::string(info.param.what); });

TEST(FindDictionary, SaysWhereItLooked) {
    auto nothing = [](const std::string&) { return false; };
    std::string why_not;
    EXPECT_FALSE(find_dictionary("/named", "/mine", nothing, why_not).has_value());
    EXPECT_EQ(why_not, "no Korean spelling dictionary at '/named' (ko.aff and ko.dic)");
    EXPECT_FALSE(find_dictionary("", "/mine", nothing, why_not).has_value());
    EXPECT_EQ(why_not.rfind("no Korean spelling dictionary (ko.aff and ko.dic) in /mine, /usr/share/hunspell, ", 0), 0u)
        << why_not;
    EXPECT_NE(why_not.find("install hunspell-ko, or name one with --dictionary"), std::string::npos);
}

TEST(FindDictionary, TakesTheNamedOneOrTheFirstFound) {
    std::set<std::string> present = {"/mine/ko.aff", "/mine/ko.dic", "/usr/share/hunspell/ko.aff",
                                     "/usr/share/hunspell/ko.dic"};
    auto exists = [&present](const std::string& path) { return present.count(path) > 0; };
    std::string why_not;
    EXPECT_EQ(find_dictionary("", "/mine", exists, why_not)->words, "/mine/ko.dic");
    EXPECT_EQ(find_dictionary("", nullptr, exists, why_not)->words, "/usr/share/hunspell/ko.dic");
    EXPECT_FALSE(find_dictionary("/elsewhere", "/mine", exists, why_not).has_value()) << "a named one is the only one";
}

}  // namespace

}  // namespace tessaline
