#pragma once
// For edits that hold upper-case text (keyer texts, messages): whatever is typed or pasted is
// raised.

#include <QValidator>

class TUpperCaseValidator : public QValidator {
public:
    using QValidator::QValidator;
    State validate(QString& input, int&) const override
    {
        input = input.toUpper();
        return Acceptable;
    }
};
