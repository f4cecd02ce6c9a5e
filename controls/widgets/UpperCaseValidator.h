#pragma once
// Raises whatever is typed or pasted into an edit to upper case (callsigns, keyer text).
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
