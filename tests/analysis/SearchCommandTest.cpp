#include <gtest/gtest.h>

#include "TestSupport.h"
#include "analysis/SearchCommand.h"

namespace {

// The captions in code page 936: 门的obj有 N 个, 被动obj有 N 个 CR LF 特殊obj有 N 个, 怪物有 N 个,
// act的obj有 N 个.
std::string Doors(int n) { return "\xC3\xC5\xB5\xC4obj\xD3\xD0" + std::to_string(n) + "\xB8\xF6"; }
std::string Passives(int n, int special) {
    return "\xB1\xBB\xB6\xAF" "obj\xD3\xD0" + std::to_string(n) + "\xB8\xF6\r\n\xCC\xD8\xCA\xE2" "obj\xD3\xD0" +
           std::to_string(special) + "\xB8\xF6";
}
std::string Monsters(int n) { return "\xB9\xD6\xCE\xEF\xD3\xD0" + std::to_string(n) + "\xB8\xF6"; }
std::string Acts(int n) { return "act\xB5\xC4obj\xD3\xD0" + std::to_string(n) + "\xB8\xF6"; }

const std::string kBlock = "[CREATE PASSIVEOBJECT]||[INDEX]|";

class SearchTest : public StoreTest {
protected:
    void AddTreeA() {
        files.AddFolder("/a");
        files.AddFile("/a/one.dgn", Fragment("[pathgate object]|12->7->12->|"));
        files.AddFolder("/a/sub");
        files.AddFile("/a/sub/two.dgn", Fragment("[pathgate object]|7->30->|"));
        files.AddFile("/a/sub/x.act", Fragment(kBlock + "500->|" + kBlock + "501->|"));
    }
    void AddTreeB() {
        files.AddFolder("/b");
        files.AddFile("/b/b.dgn", Fragment("[pathgate object]|99->12->|"));
        files.AddFile("/b/b.act", Fragment(kBlock + "501->|" + kBlock + "502->|"));
    }
    void Search(const char* folder) {
        view.folderBox = TestPath(folder);
        SearchCommand(view, Platform{files, pump});
    }

    FakeFileSystem files;
    CountingMessagePump pump;
    FakeView view;
};

TEST_F(SearchTest, EmptyTreeShowsZeroCountsAndEmptyBoxes) {
    files.AddFolder("/empty");
    Search("/empty");
    EXPECT_EQ(view.captions, (std::array<Text, 4>{Doors(0), Passives(0, 0), Monsters(0), Acts(0)}));
    EXPECT_EQ(view.boxes, (std::array<Text, 4>{}));
    EXPECT_EQ(view.folderReads, 3);  // read afresh for every walk
}

TEST_F(SearchTest, ShowsEachListWithoutRepeatsOneLineAnEntry) {
    AddTreeA();
    Search("/a");
    EXPECT_EQ(view.captions[0], Doors(3));
    EXPECT_EQ(view.boxes[0], "12\r\n7\r\n30\r\n");
    EXPECT_EQ(view.captions[3], Acts(2));
    EXPECT_EQ(view.boxes[3], "500\r\n501\r\n");
}

TEST_F(SearchTest, SearchesAccumulateInTheStore) {
    AddTreeA();
    AddTreeB();
    Search("/a");
    Search("/a");
    EXPECT_EQ(view.boxes[0], "12\r\n7\r\n30\r\n");  // the same lists a second time
    Search("/b");
    EXPECT_EQ(view.captions[0], Doors(4));
    EXPECT_EQ(view.boxes[0], "12\r\n7\r\n30\r\n99\r\n");
    EXPECT_EQ(view.boxes[3], "500\r\n501\r\n502\r\n");
}

TEST_F(SearchTest, EmptyEntriesShowAsEmptyLines) {
    files.AddFile("/e.dgn", Fragment("[pathgate object]|->1->|"));
    Search("/");
    EXPECT_EQ(view.boxes[0], "\r\n1\r\n");
}

TEST_F(SearchTest, FolderBoxEditedDuringASearchCountsFromTheNextWalk) {
    AddTreeA();
    AddTreeB();
    // The first dispatch point lies in the "*.dgn" walk; the edit reaches the act walk.
    pump.onDispatch = [&] { view.folderBox = TestPath("/b"); };
    Search("/a");
    EXPECT_EQ(view.boxes[0], "12\r\n7\r\n30\r\n");
    EXPECT_EQ(view.boxes[3], "501\r\n502\r\n");
}

TEST_F(SearchTest, NestedSearchAtADispatchPoint) {
    AddTreeA();
    bool nested = false;
    pump.onDispatch = [&] {
        if (nested) return;
        nested = true;
        SearchCommand(view, Platform{files, pump});  // a second press of the search button
    };
    Search("/a");
    // The nested search found everything once; the outer one added it all again, and the
    // de-duplication after it leaves each entry once.
    EXPECT_EQ(view.boxes[0], "12\r\n7\r\n30\r\n");
    EXPECT_EQ(view.captions[3], Acts(2));
    EXPECT_EQ(files.reads.size(), 6u);
}

TEST_F(SearchTest, WindowClosedMidSearchIsNotWrittenAndNoMoreFilesAreRead) {
    AddTreeA();
    pump.onDispatch = [&] { view.open = false; };
    Search("/a");
    EXPECT_EQ(view.writesAfterClose, 0);
    EXPECT_TRUE(files.reads.empty());
    EXPECT_EQ(pump.count, 1);        // the walk stopped at once
    EXPECT_EQ(view.folderReads, 1);  // and no other walk began
    EXPECT_EQ(view.captions, (std::array<Text, 4>{}));
}

}  // namespace
