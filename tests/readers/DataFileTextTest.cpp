#include <gtest/gtest.h>

#include "TestSupport.h"
#include "readers/DataFileText.h"

namespace {

TEST(DataFileText, ConvertsAndCutsAtNul) {
    const struct {
        const char* name;
        std::string data;
        std::string expected;
    } cases[] = {
        {"empty", "", ""},
        {"cut at the first NUL", std::string("abc\0def", 7), "abc"},
        {"NUL first", std::string("\0abc", 4), ""},
        {"ASCII, TAB and CR LF unchanged", "a\tb\r\n", "a\tb\r\n"},
        {"Chinese two bytes each", "\xE4\xB8\xAD\xE6\x96\x87", "\xD6\xD0\xCE\xC4"},
        {"invalid UTF-8 becomes ?", "a\xFF" "b", "a?b"},
    };
    for (const auto& c : cases) EXPECT_EQ(Utf8BytesToText(c.data), c.expected) << c.name;
    // A byte-order mark stays, converted like any other character, before the text.
    const Text withBom = Utf8BytesToText("\xEF\xBB\xBF[x]");
    ASSERT_GE(withBom.size(), 3u);
    EXPECT_EQ(withBom.substr(withBom.size() - 3), "[x]");
    EXPECT_GT(withBom.size(), 3u);
}

TEST(DataFileText, FilesOnDisk) {
    TempTree tree;
    tree.Write("a.txt", std::string("x\0y", 3));
    tree.Write("empty.txt", "");
    tree.MakeFolder("folder.map");
    FileSystem& files = SystemFileSystem();
    EXPECT_EQ(ReadDataFileText(tree.Path("a.txt"), files), "x");
    EXPECT_EQ(ReadDataFileText(tree.Path("empty.txt"), files), "");
    EXPECT_EQ(ReadDataFileText(tree.Path("folder.map"), files), "");
    EXPECT_EQ(ReadDataFileText(tree.Path("missing.map"), files), "");
    EXPECT_EQ(ReadDataFileText(NativePath(), files), "");
    EXPECT_EQ(files.ReadWholeFile(tree.Path("a.txt")), std::string("x\0y", 3));
}

}  // namespace
