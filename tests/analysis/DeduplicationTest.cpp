#include <gtest/gtest.h>

#include <random>
#include <unordered_set>

#include "analysis/Deduplication.h"

namespace {

TEST(RemoveDuplicates, KeepsFirstOccurrencesInOrder) {
    const struct {
        const char* name;
        TextList list;
        TextList expected;
    } cases[] = {
        {"b a b c a", {"b", "a", "b", "c", "a"}, {"b", "a", "c"}},
        {"empty", {}, {}},
        {"no repeats", {"3", "1", "2"}, {"3", "1", "2"}},
        {"case and spaces count", {"A1", "a1", "12", "12 ", "A1"}, {"A1", "a1", "12", "12 "}},
        {"empty entries", {"x", "", "y", "", "x"}, {"x", "", "y"}},
        {"bytes beyond ASCII", {"\xD6\xD0", "\xD6\xD1", "\xD6\xD0"}, {"\xD6\xD0", "\xD6\xD1"}},
        {"long entries",
         {std::string(100, 'x'), std::string(100, 'x') + "y", std::string(100, 'x')},
         {std::string(100, 'x'), std::string(100, 'x') + "y"}},
        {"NUL bytes",
         {"a", Text("a\0", 2), Text("\0", 1), "", Text("a\0", 2), Text("\0", 1)},
         {"a", Text("a\0", 2), Text("\0", 1), ""}},
        {"a shared seven-byte start",
         {"abcdefg", "abcdefgh", "abcdefgi", "abcdefgh", "abcdefg"},
         {"abcdefg", "abcdefgh", "abcdefgi"}},
    };
    for (const auto& c : cases) {
        TextList list = c.list;
        EXPECT_EQ(RemoveDuplicates(list), static_cast<int32_t>(c.expected.size())) << c.name;
        EXPECT_EQ(list, c.expected) << c.name;
        TextList again = list;
        RemoveDuplicates(again);
        EXPECT_EQ(again, list) << c.name << " (second pass)";
    }
}

TEST(RemoveDuplicates, AgreesWithFindMemberOnALargeList) {
    TextList list;
    for (int i = 0; i < 20000; ++i) list.push_back(std::to_string((i * 7919) % 1500));
    TextList expected;
    for (const Text& entry : list) {
        if (FindMember(expected, entry) == -1) expected.push_back(entry);
    }
    RemoveDuplicates(list);
    EXPECT_EQ(list, expected);
}

// Lists long enough to be split into groups by hash, against a plain set.
TEST(RemoveDuplicates, AgreesWithASetOnLongLists) {
    const struct {
        const char* name;
        uint32_t size, distinct;
        Text (*entry)(uint32_t id);
    } cases[] = {
        {"short ids", 200000, 100000, [](uint32_t id) { return std::to_string(id); }},
        {"longer entries sharing seven bytes", 100000, 20000,
         [](uint32_t id) { return "1234567" + std::to_string(id); }},
        {"NUL bytes, empty entries and all lengths", 100000, 40000,
         [](uint32_t id) { return id % 16 == 0 ? Text() : Text(id % 11, '\0') + std::to_string(id); }},
    };
    for (const auto& c : cases) {
        std::minstd_rand random;  // the same sequence everywhere
        TextList list, expected;
        std::unordered_set<Text> seen;
        for (uint32_t i = 0; i < c.size; ++i) {
            list.push_back(c.entry(random() % c.distinct));
            if (seen.insert(list.back()).second) expected.push_back(list.back());
        }
        EXPECT_EQ(RemoveDuplicates(list), static_cast<int32_t>(expected.size())) << c.name;
        EXPECT_EQ(list, expected) << c.name;
    }
}

TEST(FindMember, GivesTheFirstPosition) {
    const TextList list{"a", "b", "a"};
    EXPECT_EQ(FindMember(list, "a"), 1);
    EXPECT_EQ(FindMember(list, "b"), 2);
    EXPECT_EQ(FindMember(list, "c"), -1);
    EXPECT_EQ(FindMember({}, ""), -1);
}

}  // namespace
