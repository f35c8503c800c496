// Wildcard matching of file names, as the platforms' listings do it.
#pragma once

#include <string_view>

// Whether name matches pattern as a whole: "*" stands for any run of characters, "?" for
// one, ASCII letters match regardless of case, every other character exactly; "*.*"
// matches every name, with or without a dot. Linux names are bytes, Windows names UTF-16
// code units; the two forms match alike.
[[nodiscard]] bool MatchesWildcard(std::string_view name, std::string_view pattern);
[[nodiscard]] bool MatchesWildcard(std::wstring_view name, std::wstring_view pattern);
