#pragma once
// SPDX-License-Identifier: MIT
// Inert stand-ins for the services a benchmark runs the real windows without: no sound, no
// message box, no file dialog.

#include "file_dialog.h"
#include "media_player.h"
#include "message_box.h"

namespace quellor {

class SilentSound : public SoundOutput {
public:
    std::unique_ptr<SoundChannel> createChannel(const QString& name) override;
};

// Shows nothing; given a program name, tells stderr what a box would have said.
class NoMessages : public MessageBoxes {
public:
    explicit NoMessages(const char* program = nullptr) : m_program(program) {}
    void show(QWidget* parent, const MessageRequest& request) override;

private:
    const char* m_program;
};

// Every dialog cancelled.
class NoFiles : public FileChooser {
public:
    QString chooseOpenFile(QWidget*, const QString&, const QString&) override { return {}; }
};

} // namespace quellor
