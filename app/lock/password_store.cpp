#include "password_store.h"

#include "line_breaks.h"

#include <QFile>
#include <QSaveFile>

namespace quellor {

namespace {
constexpr QFileDevice::Permissions kOwnerOnly = QFileDevice::ReadOwner | QFileDevice::WriteOwner;
}

bool PasswordStore::clear() {
    m_lastWritten.reset();
    QFile file(m_path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate, kOwnerOnly)) {
        return false;
    }
    // A file that already existed keeps its old mode through open(); tighten it.
    return file.setPermissions(kOwnerOnly);
}

QByteArray PasswordStore::encode(const QString& password) {
    return withoutLineBreaks(password).toLocal8Bit() + QByteArrayLiteral("\r\n");
}

bool PasswordStore::write(const QString& password) {
    QSaveFile file(m_path);
    // A read-only directory holding a writable file still takes the password in place.
    file.setDirectWriteFallback(true);
    if (!file.open(QIODevice::WriteOnly)) {
        return false;
    }
    const QByteArray bytes = encode(password);
    if (!file.setPermissions(kOwnerOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        file.cancelWriting();
        return false;
    }
    m_lastWritten = withoutLineBreaks(password);
    return true;
}

std::optional<QString> PasswordStore::read() const {
    QFile file(m_path);
    if (!file.open(QIODevice::ReadOnly)) {
        return std::nullopt;
    }
    const QByteArray bytes = file.readAll();
    if (bytes.isEmpty()) {
        return std::nullopt; // no line at all, not even an empty one
    }
    // The line ends at its CR LF. A lone CR or LF before it is a line break an earlier version let
    // into a pasted password; it is dropped as the boxes now drop it, so the same paste still
    // unlocks and the text before the break alone does not. A file with no CR LF at all (written by
    // hand) ends its line at the first CR or LF.
    qsizetype end = bytes.indexOf("\r\n");
    if (end < 0) {
        end = 0;
        while (end < bytes.size() && bytes[end] != '\r' && bytes[end] != '\n') {
            ++end;
        }
    }
    return withoutLineBreaks(QString::fromLocal8Bit(bytes.left(end)));
}

std::optional<QString> PasswordStore::readForCheck() const {
    if (auto line = read()) {
        return line;
    }
    return m_lastWritten;
}

} // namespace quellor
