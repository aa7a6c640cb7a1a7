#pragma once
// SPDX-License-Identifier: MIT
// The timer-options choice in "Diri.dll" beside the program: one text line holding the action
// number between two spaces. It only preselects the dialog's option; the program never reads it
// at start.

#include "timer_action.h"

#include <QByteArray>
#include <QString>

#include <optional>

namespace quellor {

class SettingsFile {
public:
    explicit SettingsFile(QString path) : m_path(std::move(path)) {}

    const QString& path() const { return m_path; }

    // The number on the first line, or nothing when the file is missing, unreadable or not a
    // regular file, or its first line is empty or not a decimal number (" 3.0 " is 3, "2.5" is
    // another number).
    std::optional<double> read() const;

    // The option the dialog preselects: shut down when nothing is stored, the stored action
    // when it is shut down, restart or log off, and wait for any other number.
    TimerAction readChoice() const;

    // Replaces the file with the five bytes of `action` (not None). The new content is written
    // aside and renamed into place, so a crash or a full disk leaves the old file whole.
    // False when the file could not be written; nothing is shown.
    bool write(TimerAction action) const;

    // " n \r\n" with the action's number; empty for None or a value that names no action.
    static QByteArray encode(TimerAction action);
    // The number on the first line of `content`, spaces and tabs around it allowed.
    static std::optional<double> parseFirstLine(const QByteArray& content);

private:
    QString m_path;
};

} // namespace quellor
