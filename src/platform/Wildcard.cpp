#include "platform/Wildcard.h"

namespace {

template <typename Char>
bool SameLetter(Char a, Char b) {
    auto fold = [](Char c) { return (c >= 'A' && c <= 'Z') ? static_cast<Char>(c + 0x20) : c; };
    return fold(a) == fold(b);
}

template <typename Char>
bool Matches(std::basic_string_view<Char> name, std::basic_string_view<Char> pattern) {
    using View = std::basic_string_view<Char>;
    constexpr Char kAnyName[] = {'*', '.', '*', 0};
    if (pattern == View(kAnyName)) pattern = pattern.substr(0, 1);
    // Greedy scan that backs up to the last star: linear in practice, no recursion.
    size_t n = 0, p = 0;
    size_t starAt = View::npos, resumeAt = 0;
    while (n < name.size()) {
        if (p < pattern.size() && pattern[p] == '*') {
            starAt = p++;
            resumeAt = n;
        } else if (p < pattern.size() && (pattern[p] == '?' || SameLetter(pattern[p], name[n]))) {
            ++p;
            ++n;
        } else if (starAt != View::npos) {
            p = starAt + 1;
            n = ++resumeAt;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == '*') ++p;
    return p == pattern.size();
}

}  // namespace

bool MatchesWildcard(std::string_view name, std::string_view pattern) { return Matches(name, pattern); }

bool MatchesWildcard(std::wstring_view name, std::wstring_view pattern) { return Matches(name, pattern); }
