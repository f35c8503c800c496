// The map file reader, from file content to the passive and monster ids it appends and the
// special entries it counts.
#include <gtest/gtest.h>

#include "TestSupport.h"
#include "readers/MapReader.h"

namespace {

struct MapCase {
    const char* name;
    std::string content;  // written with "->" for TAB and "|" for CR LF
    TextList passive;
    TextList monsters;
    int32_t specialCount = 0;
};

class MapReaderTest : public StoreTest {
protected:
    static void Read(const std::string& content, const char* path = "/d/f.map") {
        FakeFileSystem files;
        files.AddFile(path, content);
        CountingMessagePump pump;
        ReadMapFile(TestPath(path), Platform{files, pump});
    }

    static void Check(const MapCase& c) {
        EXPECT_EQ(Results().PassiveObjectList, c.passive) << c.name;
        EXPECT_EQ(Results().MonsterList, c.monsters) << c.name;
        EXPECT_EQ(Results().SpecialObjectCount, c.specialCount) << c.name;
    }
};

TEST_F(MapReaderTest, WorkedExamples) {
    const MapCase cases[] = {
        {"two passive entries", "[passive object]|101->12.5->-3->0->102->40->7->1->|", {"101", "102"}, {}},
        {"x breaks the first entry", "[passive object]|10->20->x->30->40->50->60->|", {"30"}, {}},
        {"last field without TAB", "[passive object]|101->1->2->3->102->4->5->6|", {"101"}, {}},
        {"empty line after the header", "[passive object]||101->1->2->3->|", {}, {}},
        {"monster lines", "[monster]|2001->5->10|boss|->9|2002->6->11||[/monster]", {}, {"2001", "", "2002"}},
        {"no empty line before the end marker", "[monster]|2001->5->10|[/monster]", {}, {}},
        {"two special entries", "[special passive object]|301->1->2->3->4->302->5->6->7->8->|",
         {"301", "302"}, {}, 2},
    };
    for (const MapCase& c : cases) {
        ReleaseResultStore();
        CreateResultStore();
        Read(Fragment(c.content));
        Check(c);
    }
}

TEST_F(MapReaderTest, EdgeCases) {
    const MapCase cases[] = {
        {"no header", "[pathgate object]|1->2->3->4->|", {}, {}},
        {"header in capitals", "[PASSIVE OBJECT]|1->2->3->4->|[MONSTER]|7->|", {}, {}},
        {"space before the line end", "[passive object] |1->2->3->4->|", {}, {}},
        {"only the first line", "[passive object]|1->2->3->4->|5->6->7->8->|", {"1"}, {}},
        {"last line without CR LF", "[passive object]|1->2->3->4->", {}, {}},
        {"LF line ends", "[passive object]\n1\t2\t3\t4\t\n", {}, {}},
        {"mixed field", "[passive object]|1-2.3->4->5->6->|", {"1-2.3"}, {}},
        {"match begins inside a field", "[passive object]|x5->1->2->3->|", {"5"}, {}},
        {"empty field breaks the entry", "[passive object]|1->->2->3->4->5->|", {"2"}, {}},
        {"eight fields", "[passive object]|1->2->3->4->5->6->7->8->|", {"1", "5"}, {}},
        {"five fields", "[passive object]|1->2->3->4->5->|", {"1"}, {}},
        {"monster spaces kept", "[monster]| 7 ->1||[/monster]", {}, {" 7 "}},
        {"last monster line", "[monster]|a->1|b->2||[/monster]", {}, {"a", "b"}},
        {"only the first monster section", "[monster]|a->||[/monster]|[monster]|b->||[/monster]", {}, {"a"}},
        {"special entry twice", "[special passive object]|9->1->2->3->4->9->1->2->3->4->|", {"9", "9"}, {},
         2},
        {"four special fields are no entry", "[special passive object]|9->1->2->3->|", {}, {}},
        {"passive ids before special ones",
         "[special passive object]|301->1->2->3->4->|[monster]|m->||[/monster]|"
         "[passive object]|101->1->2->3->|",
         {"101", "301"}, {"m"}, 1},
    };
    for (const MapCase& c : cases) {
        ReleaseResultStore();
        CreateResultStore();
        Read(Fragment(c.content));
        Check(c);
    }
}

TEST_F(MapReaderTest, AppendsToWhatIsThere) {
    Results().PassiveObjectList = {"old"};
    Results().SpecialObjectCount = 5;
    Read(Fragment("[passive object]|7->1->2->3->|[special passive object]|8->1->2->3->4->8->1->2->3->4->|"));
    Read(Fragment("[passive object]|7->1->2->3->|"), "/d/g.map");
    EXPECT_EQ(Results().PassiveObjectList, (TextList{"old", "7", "8", "8", "7"}));
    EXPECT_EQ(Results().SpecialObjectCount, 7);
}

TEST_F(MapReaderTest, ChineseTextArrivesInCodePage936) {
    const std::string zhong(kUtf8Zhong);
    Read(Fragment("[passive object]|" + zhong + "1->2->3->4->5->|[monster]|" + zhong + "->1||[/monster]"));
    EXPECT_EQ(Results().PassiveObjectList, (TextList{"1"}));  // the match begins after the character
    EXPECT_EQ(Results().MonsterList, (TextList{std::string(kGbkZhong)}));
}

TEST_F(MapReaderTest, MissingFileAddsNothing) {
    FakeFileSystem files;
    CountingMessagePump pump;
    ReadMapFile(TestPath("/nowhere.map"), Platform{files, pump});
    EXPECT_TRUE(Results().PassiveObjectList.empty());
    EXPECT_TRUE(Results().MonsterList.empty());
    EXPECT_EQ(Results().SpecialObjectCount, 0);
    EXPECT_EQ(pump.count, 0);
}

}  // namespace
