// SPDX-License-Identifier: MIT

#include "line_breaks.h"

#include <QLineEdit>
#include <QValidator>

namespace quellor {

namespace {

class NoLineBreaks : public QValidator {
public:
    using QValidator::QValidator;
    State validate(QString& input, int& pos) const override {
        const qsizetype before = std::count_if(
            input.cbegin(), input.cbegin() + std::min<qsizetype>(pos, input.size()), isLineBreak);
        input = withoutLineBreaks(input);
        pos -= static_cast<int>(before);
        return Acceptable;
    }
};

} // namespace

bool isLineBreak(QChar c) {
    switch (c.unicode()) {
    case u'\n':
    case u'\v':
    case u'\f':
    case u'\r':
    case 0x85:   // next line
    case 0x2028: // line separator
    case 0x2029: // paragraph separator
        return true;
    default:
        return false;
    }
}

QString withoutLineBreaks(QString text) {
    text.removeIf(isLineBreak);
    return text;
}

void refuseLineBreaks(QLineEdit* box) {
    box->setValidator(new NoLineBreaks(box));
}

} // namespace quellor
