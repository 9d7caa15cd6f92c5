#include "test/answer_judge.h"

#include <string>

bool JudgeAnswer(std::u16string_view typed, std::u16string_view expected,
                 const AnswerRules& rules) {
    if (rules.caseSensitive || !rules.lowerCase) return typed == expected;
    std::u16string a(typed), b(expected);
    rules.lowerCase(a);
    rules.lowerCase(b);
    return a == b;
}
