// The dungeon and act readers, from file content to the entries they append.
#include <gtest/gtest.h>

#include "TestSupport.h"
#include "readers/ActReader.h"
#include "readers/DungeonReader.h"

namespace {

struct ReaderCase {
    const char* name;
    std::string content;  // written with "->" for TAB and "|" for CR LF
    TextList expected;
};

class ReaderTest : public StoreTest {
protected:
    static void Read(void (*reader)(const NativePath&, const Platform&), const std::string& content) {
        FakeFileSystem files;
        files.AddFile("/d/f", content);
        CountingMessagePump pump;
        reader(TestPath("/d/f"), Platform{files, pump});
    }
};

TEST_F(ReaderTest, DungeonDoorObjects) {
    const ReaderCase cases[] = {
        {"worked example", "x|[pathgate object]|1203->1204->77->1203->|y|", {"1203", "1204", "77", "1203"}},
        {"empty section line", "[pathgate object]||1->2|", {}},
        {"leading and doubled TABs", "[pathgate object]|->1->->2|", {"", "1", "", "2"}},
        {"spaces kept", "[pathgate object]| 5 ->6|", {" 5 ", "6"}},
        {"only the first section", "[pathgate object]|1|[pathgate object]|2|", {"1"}},
        {"capitals not recognised", "[PATHGATE OBJECT]|1|", {}},
        {"header need not begin a line", "x[pathgate object]|9|", {"9"}},
        {"no CR LF after the line", "[pathgate object]|1->2", {}},
        {"LF line ends", "[pathgate object]\n1\t2\n", {}},
        {"no header", "[passive object]|1|", {}},
    };
    for (const ReaderCase& c : cases) {
        ReleaseResultStore();
        CreateResultStore();
        Read(ReadDungeonFile, Fragment(c.content));
        EXPECT_EQ(Results().DoorObjectList, c.expected) << c.name;
    }
}

TEST_F(ReaderTest, ActCreatedObjects) {
    const std::string block = "[CREATE PASSIVEOBJECT]||[INDEX]|";
    const ReaderCase cases[] = {
        {"worked example",
         block + "301->|[create passiveobject]||[INDEX]|  415 ->|" + block + "->|", {"301", "415"}},
        {"entry without closing TAB runs on", block + "301|" + block + "302->|", {"301|" + block + "302"}},
        {"no TAB before CR LF ends the file", block + "301|" + block + "302|", {}},
        {"inner TAB stays", block + "301->5->|", {"301->5"}},
        {"leading TAB stays", block + "->7->|", {"->7"}},
        {"mixed case header", "[Create PassiveObject]||[index]|8->|", {"8"}},
        {"space after a header", "[CREATE PASSIVEOBJECT] ||[INDEX]|1->|", {}},
        {"bare LF", "[CREATE PASSIVEOBJECT]\n\n[INDEX]\n1\t\n", {}},
        {"repeats all appended", block + "4->|" + block + "4->|", {"4", "4"}},
        {"earlier blocks count before a broken one", block + "1->|" + block + "2|", {"1"}},
    };
    for (const ReaderCase& c : cases) {
        ReleaseResultStore();
        CreateResultStore();
        Read(ReadActFile, Fragment(c.content));
        TextList expected;
        for (const Text& e : c.expected) expected.push_back(Fragment(e));
        EXPECT_EQ(Results().ActObjectList, expected) << c.name;
    }
}

TEST_F(ReaderTest, ActReaderDispatchesThreeTimesPerBlock) {
    FakeFileSystem files;
    files.AddFile("/a.act", Fragment("[CREATE PASSIVEOBJECT]||[INDEX]|1->|[CREATE PASSIVEOBJECT]||[INDEX]|->|"));
    CountingMessagePump pump;
    ReadActFile(TestPath("/a.act"), Platform{files, pump});
    EXPECT_EQ(pump.count, 6);
}

TEST_F(ReaderTest, ReadersAppendToWhatIsThere) {
    Results().DoorObjectList = {"old"};
    Read(ReadDungeonFile, Fragment("[pathgate object]|new|"));
    EXPECT_EQ(Results().DoorObjectList, (TextList{"old", "new"}));
}

TEST_F(ReaderTest, ChineseIdsArriveInCodePage936) {
    Read(ReadDungeonFile, Fragment("[pathgate object]|") + std::string(kUtf8Zhong) + "1\t2\r\n");
    EXPECT_EQ(Results().DoorObjectList, (TextList{std::string(kGbkZhong) + "1", "2"}));
}

TEST_F(ReaderTest, MissingFileAddsNothing) {
    FakeFileSystem files;
    CountingMessagePump pump;
    ReadDungeonFile(TestPath("/nowhere.dgn"), Platform{files, pump});
    ReadActFile(TestPath("/nowhere.act"), Platform{files, pump});
    EXPECT_TRUE(Results().DoorObjectList.empty());
    EXPECT_TRUE(Results().ActObjectList.empty());
}

}  // namespace
