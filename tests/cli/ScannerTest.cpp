// fathomlist-scan run as a program: its output, messages and exit status.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <sstream>

#include "TestSupport.h"
#include "cli/ScanRun.h"

namespace {

std::string ReadFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

TEST(Scanner, JsonOfTheSamples) {
    const ScanRun run = RunScan({"--json", FATHOMLIST_SAMPLES_DIR});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, ReadFile(std::string(FATHOMLIST_TEST_DIR) + "/cli/samples.expected.json"));
    EXPECT_EQ(run.err, "");
}

TEST(Scanner, ListingForPeople) {
    TempTree tree;
    tree.Write("a.dgn", "[pathgate object]\r\n\t\xE4\xB8\xAD\t7\t\r\n");
    tree.Write("b.act", "[CREATE PASSIVEOBJECT]\r\n\r\n[INDEX]\r\n1\t2\t\r\n");
    const ScanRun run = RunScan({tree.root.string()});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out,
              "门的obj有3个\n  (empty)\n  中\n  7\n\n"
              "被动obj有0个\n特殊obj有0个\n\n"
              "怪物有0个\n\n"
              "act的obj有1个\n  1\\t2\n");
}

TEST(Scanner, SeveralFoldersAccumulateLikeRepeatedSearches) {
    TempTree a, b;
    a.Write("x.dgn", "[pathgate object]\r\n1\t2\t\r\n");
    b.Write("y.dgn", "[pathgate object]\r\n3\t1\t\r\n");
    const ScanRun run = RunScan({"--json", a.root.string(), b.root.string() + "/"});
    EXPECT_NE(run.out.find("\"door_objects\": [\n    \"1\",\n    \"2\",\n    \"3\"\n  ]"), std::string::npos)
        << run.out;
}

TEST(Scanner, MissingFolderStillPrintsAndFails) {
    TempTree tree;
    tree.Write("x.dgn", "[pathgate object]\r\n5\t\r\n");
    const std::string missing = (tree.root / "nowhere").string();
    const ScanRun run = RunScan({"--json", missing, tree.root.string()});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, "fathomlist-scan: cannot list folder '" + missing + "': No such file or directory\n");
    EXPECT_NE(run.out.find("\"5\""), std::string::npos);
}

TEST(Scanner, BadUsage) {
    const struct {
        std::vector<std::string> args;
        std::string firstLine;
    } cases[] = {
        {{}, "fathomlist-scan: no folder given"},
        {{"--json"}, "fathomlist-scan: no folder given"},
        {{""}, "fathomlist-scan: a folder argument is empty"},
        {{"--frobnicate", "x"}, "fathomlist-scan: unknown option '--frobnicate'"},
    };
    for (const auto& c : cases) {
        const ScanRun run = RunScan(c.args);
        EXPECT_EQ(run.status, 2) << c.firstLine;
        EXPECT_EQ(run.err, c.firstLine + "\nusage: fathomlist-scan [--json] FOLDER...\n");
        EXPECT_EQ(run.out, "");
    }
}

TEST(Scanner, HelpAndVersion) {
    const ScanRun help = RunScan({"--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.out.find("(empty)"), std::string::npos);
    const ScanRun version = RunScan({"--version"});
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.out.rfind("fathomlist-scan ", 0), 0u);
    // After "--" an argument that looks like an option is a folder.
    const ScanRun dashed = RunScan({"--", "--json"});
    EXPECT_EQ(dashed.status, 1);
    EXPECT_NE(dashed.err.find("cannot list folder '--json'"), std::string::npos);
}

}  // namespace
