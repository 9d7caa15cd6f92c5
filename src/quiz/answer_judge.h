#pragma once
// Whether a typed answer is the expected one: a pure function of the two texts and the rules,
// which carry the system's text services along with the user's settings. Texts that a reader
// cannot tell apart are equal: the comparison ignores invisible marks, reads no-break spaces as
// spaces and compares canonical forms; without regard to case it also folds every case mapping.
#include <string_view>

#include "quiz/lower_case.h"
#include "quiz/normal_form.h"

// The settings read at each answer, so that a change in the setup view applies at once.
struct AnswerRules {
    bool caseSensitive = false;
    bool lazyRepeat = false;  // true: a wrongly answered question goes to the end of the queue
    // Without a lower-casing function every answer is judged case-sensitively.
    LowerCaseFn lowerCase = PlatformLowerCase;
    // Without one, texts are compared in the form in which they were typed and stored.
    NormalizeFn normalize = PlatformNormalize;
};

// Neither text is trimmed: a stray space typed is a wrong answer.
bool JudgeAnswer(std::u16string_view typed, std::u16string_view expected, const AnswerRules& rules);
