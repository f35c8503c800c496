// Letter case pairs for the engine's IgnoreCase.
//
// The engine folds simple one-to-one case pairs of the letters code page 936 text can hold
// and a few blocks beside them: ASCII, Latin-1, Latin Extended-A, Greek (with its accented
// capitals), Cyrillic, Roman numerals, circled Latin letters and full-width Latin. Pairs
// that are not one-to-one (final sigma, dotted and dotless i, long s, the Kelvin sign) are
// left alone, so every letter has at most one other-case counterpart.
#pragma once

#include <functional>

namespace regex {

// The other-case counterpart of c, or c itself when it has none.
[[nodiscard]] char16_t OtherCase(char16_t c);

// Calls visit(upper, lower) once for every case pair that folding knows.
void ForEachCasePair(const std::function<void(char16_t upper, char16_t lower)>& visit);

}  // namespace regex
