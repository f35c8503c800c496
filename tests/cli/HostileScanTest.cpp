// fathomlist-scan on hostile trees: whatever a folder holds, the scanner ends, exits 0 and
// lists every other file's entries; a folder argument that cannot be listed is named on
// stderr and gives exit status 1, with the other folders' entries printed all the same.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <set>

#include "TestSupport.h"
#include "cli/ScanRun.h"
#include "platform/Limits.h"

namespace {

// The entries of one list of the --json report.
std::set<std::string> JsonList(const std::string& json, const std::string& key) {
    std::set<std::string> entries;
    const size_t start = json.find("\"" + key + "\": [");
    if (start == std::string::npos) return entries;
    const size_t end = json.find("]", start);
    std::istringstream lines(json.substr(start, end - start));
    std::string line;
    while (std::getline(lines, line)) {
        const size_t open = line.find('"'), close = line.rfind('"');
        if (open != std::string::npos && close > open && line.find("\": [") == std::string::npos)
            entries.insert(line.substr(open + 1, close - open - 1));
    }
    return entries;
}

void WriteGoodFiles(const TempTree& tree, const std::string& folder) {
    tree.Write(folder + "/good.dgn", "[pathgate object]\r\ng1\t\r\n");
    tree.Write(folder + "/good.map",
               "[passive object]\r\n11\t0\t0\t0\t\r\n[monster]\r\nm1\t\r\n\r\n[/monster]\r\n");
    tree.Write(folder + "/good.act", "[CREATE PASSIVEOBJECT]\r\n\r\n[INDEX]\r\na1\t\r\n");
}

TEST(HostileScan, TreeOfHazardsStillListsEveryOtherFile) {
    TempTree tree;
    WriteGoodFiles(tree, "good");
    std::set<std::string> doors = {"g1"};
    for (int i = 0; i < 10'000; ++i) {
        const std::string id = "d" + std::to_string(i);
        tree.Write("many/" + id + ".dgn", "[pathgate object]\r\n" + id + "\t\r\n");
        doors.insert(id);
    }
    tree.Write("huge.map", "[passive object]\r\n98\t0\t0\t0\t\r\n");
    std::filesystem::resize_file(tree.root / "huge.map", kMaxDataFileBytes + 1);  // sparse: nothing written
    ASSERT_EQ(mkfifo(tree.Path("pipe.map").c_str(), 0600), 0);
    ASSERT_EQ(symlink(tree.Path().c_str(), tree.Path("good/loop").c_str()), 0);
    ASSERT_EQ(symlink("..", tree.Path("many/parent").c_str()), 0);
    ASSERT_EQ(symlink("self.act", tree.Path("self.act").c_str()), 0);
    tree.Write("damaged.dgn", std::string_view("\xEF\xBB\xBF[pathgate object]\r\n\xFFx\t\0\r\n", 28));

    const ScanRun run = RunScan({"--json", tree.root.string()});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(JsonList(run.out, "door_objects"), doors);
    EXPECT_EQ(JsonList(run.out, "passive_objects"), std::set<std::string>{"11"});
    EXPECT_EQ(JsonList(run.out, "monsters"), std::set<std::string>{"m1"});
    EXPECT_EQ(JsonList(run.out, "act_objects"), std::set<std::string>{"a1"});
}

TEST(HostileScan, UnlistableFolderArgumentGivesStatusOneAndItsReason) {
    TempTree tree;
    WriteGoodFiles(tree, "good");
    tree.Write("file", "[pathgate object]\r\nnot-a-folder\t\r\n");
    ASSERT_EQ(mkfifo(tree.Path("pipe").c_str(), 0600), 0);
    const struct {
        std::string folder;
        std::string reason;
    } rows[] = {
        {(tree.root / "file").string(), "Not a directory"},
        {(tree.root / "pipe").string(), "Not a directory"},
        {(tree.root / std::string(300, 'x')).string(), "File name too long"},
        {(tree.root / "missing" / "deeper").string(), "No such file or directory"},
    };
    for (const auto& row : rows) {
        const ScanRun run = RunScan({"--json", row.folder, (tree.root / "good").string()});
        EXPECT_EQ(run.status, 1) << row.folder;
        EXPECT_EQ(run.err, "fathomlist-scan: cannot list folder '" + row.folder + "': " + row.reason + "\n");
        EXPECT_EQ(JsonList(run.out, "door_objects"), std::set<std::string>{"g1"}) << row.folder;
    }
}

}  // namespace
