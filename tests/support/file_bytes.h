#pragma once
// SPDX-License-Identifier: MIT
// Whole-file reads and writes for tests that check what lands on disk.

#include <QByteArray>
#include <QFile>
#include <QString>

namespace quellor {

// The file's bytes, or `missing` when it cannot be read.
inline QByteArray fileBytes(const QString& path, const QByteArray& missing = QByteArrayLiteral("<missing>")) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : missing;
}

// Replaces the file's content; false when not all of it was written.
inline bool writeFileBytes(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(bytes) == bytes.size();
}

} // namespace quellor
