#include <gtest/gtest.h>

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
        {"long entries", {std::string(100, 'x'), std::string(100, 'x') + "y", std::string(100, 'x')},
         {std::string(100, 'x'), std::string(100, 'x') + "y"}},
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

TEST(FindMember, GivesTheFirstPosition) {
    const TextList list{"a", "b", "a"};
    EXPECT_EQ(FindMember(list, "a"), 1);
    EXPECT_EQ(FindMember(list, "b"), 2);
    EXPECT_EQ(FindMember(list, "c"), -1);
    EXPECT_EQ(FindMember({}, ""), -1);
}

}  // namespace
