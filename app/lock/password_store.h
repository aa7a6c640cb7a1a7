#pragma once
// SPDX-License-Identifier: MIT
// The access password file: one line, the password in the local 8-bit encoding followed by
// CR LF, readable and writable by its owner only. The store also remembers what it last wrote,
// so a lock whose file has become unreadable still checks against the password this run set.

#include <QString>

#include <optional>

namespace quellor {

class PasswordStore {
public:
    explicit PasswordStore(QString path) : m_path(std::move(path)) {}

    const QString& path() const { return m_path; }

    // Cuts the file to 0 bytes (creating it if need be). False when that failed or the path is
    // not a regular file.
    bool clear();
    // Replaces the file with the one line. False when the password could not be stored.
    bool write(const QString& password);
    // The first line without its line end or any line break within it; nothing when the file is
    // missing, unreadable, empty, not a regular file, or its first line runs past the few
    // kilobytes that are read.
    std::optional<QString> read() const;
    // What the lock compares with: the file's line, else the password this store last wrote.
    std::optional<QString> readForCheck() const;

    // The exact bytes written for a password (line breaks dropped).
    static QByteArray encode(const QString& password);

private:
    QString m_path;
    std::optional<QString> m_lastWritten;
};

} // namespace quellor
