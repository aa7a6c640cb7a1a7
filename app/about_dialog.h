#pragma once
// SPDX-License-Identifier: MIT
// The about dialog: the program's name and its makers; its button plays a cue and hides it.

#include "media_player.h"
#include "services.h"

#include <QWidget>

class QPlainTextEdit;

namespace quellor {

class PlainButton;

class Form4 : public QWidget {
    Q_OBJECT
public:
    explicit Form4(Services& services);

    QPlainTextEdit* Text1 = nullptr;
    PlainButton* Command2 = nullptr; // "返回系统"
    PlainButton* Command1 = nullptr; // "@@@", decoration
    MediaPlayer* Player = nullptr;

    // Handlers, in the order the behaviour runs.
    void Form_Load();
    void Command2_Click();

    static QString aboutText();

private:
    Services& m_services;
};

} // namespace quellor
