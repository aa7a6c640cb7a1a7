#include "password_store.h"

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
    return password.toLocal8Bit() + QByteArrayLiteral("\r\n");
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
    m_lastWritten = password;
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
    qsizetype end = 0;
    while (end < bytes.size() && bytes[end] != '\r' && bytes[end] != '\n') {
        ++end;
    }
    return QString::fromLocal8Bit(bytes.left(end));
}

std::optional<QString> PasswordStore::readForCheck() const {
    if (auto line = read()) {
        return line;
    }
    return m_lastWritten;
}

} // namespace quellor
