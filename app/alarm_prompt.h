#pragma once
// SPDX-License-Identifier: MIT
// The prompt shown when the alarm music is chosen before the alarm time: it asks for the time
// first. Loaded once; "返回系统" plays its cue and only hides it, so the cue plays on.

#include "services.h"

#include <QWidget>

class QPlainTextEdit;

namespace quellor {

class MediaPlayer;
class PlainButton;

class Form2 : public QWidget {
    Q_OBJECT
public:
    explicit Form2(Services& services, QWidget* parent = nullptr);
    ~Form2() override;

    // The message, lines separated by CR LF.
    static QString message();

    QPlainTextEdit* Text1 = nullptr;
    PlainButton* Command2 = nullptr; // "返回系统"
    PlainButton* Command1 = nullptr; // "@@@", no action
    MediaPlayer* Player = nullptr;   // the closing cue, starts on open

    // Handlers, in the order the behaviour runs.
    void Form_Load();
    void Command2_Click();

private:
    void createControls();

    Services& m_services;
};

} // namespace quellor
