// The replacement text of one match for the engine's "Replace".
//
// In the replacement, $$ stands for $, $& for the match, $` for the subject before it and
// $' for the subject after it. $n and $nn stand for the text of a group: two digits are
// taken when they name a group that exists (01 to 99), else one digit when it names one
// (1 to 9), so with 3 groups $12 is group 1 followed by 2 and $4 stays $4. A group that did
// not take part gives the empty text. A $ with anything else after it stands for itself.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace regex {

// Appends the replacement of the match whose slots are given (start, end, then each
// group's pair, -1 where a group did not take part) to out.
void AppendReplacement(std::u16string_view replacement, std::u16string_view subject, const int32_t* slots,
                       int groupCount, std::u16string& out);

}  // namespace regex
