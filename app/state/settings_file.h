#pragma once
// The timer-options choice in "Diri.dll" beside the program: one text line holding the action
// number between two spaces. It only preselects the dialog's option; the program never reads it
// at start.

#include <QByteArray>
#include <QString>

#include <optional>

namespace quellor {

class SettingsFile {
public:
    explicit SettingsFile(QString path) : m_path(std::move(path)) {}

    const QString& path() const { return m_path; }

    // The number on the first line, or nothing when the file is missing or unreadable, or its
    // first line is empty or not a whole decimal number.
    std::optional<qint64> read() const;

    // Replaces the file with the five bytes of `action` (1 to 4). The new content is written
    // aside and renamed into place, so a crash or a full disk leaves the old file whole.
    // False when the file could not be written; nothing is shown.
    bool write(int action) const;

    // " n \r\n"; empty for an action that is not one digit from 1 to 4.
    static QByteArray encode(int action);
    // The number on the first line of `content`, spaces and tabs around it allowed.
    static std::optional<qint64> parseFirstLine(const QByteArray& content);

private:
    QString m_path;
};

} // namespace quellor
