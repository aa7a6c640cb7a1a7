#pragma once
// SPDX-License-Identifier: MIT
// A password is one line of the password file, so line breaks never enter one: the password boxes
// refuse them (a paste keeps its text without them) and the store drops any that reach it. What is
// stored is then what the lock compares.

#include <QString>

class QLineEdit;

namespace quellor {

bool isLineBreak(QChar c);
QString withoutLineBreaks(QString text);
// The box refuses line breaks however they come: typed, pasted, dropped or set by the program.
void refuseLineBreaks(QLineEdit* box);

} // namespace quellor
