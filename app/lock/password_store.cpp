// SPDX-License-Identifier: MIT

#include "password_store.h"

#include "line_breaks.h"
#include "state_file.h"

namespace quellor {

namespace {
constexpr unsigned kOwnerOnly = 0600;
}

bool PasswordStore::clear() {
    m_lastWritten.reset();
    return state_file::empty(m_path, kOwnerOnly);
}

QByteArray PasswordStore::encode(const QString& password) {
    return withoutLineBreaks(password).toLocal8Bit() + QByteArrayLiteral("\r\n");
}

bool PasswordStore::write(const QString& password) {
    // A read-only directory holding a writable file still takes the password in place.
    if (!state_file::replace(m_path, encode(password), {.mode = kOwnerOnly, .inPlaceFallback = true})) {
        return false;
    }
    m_lastWritten = withoutLineBreaks(password);
    return true;
}

std::optional<QString> PasswordStore::read() const {
    const state_file::ReadResult file = state_file::read(m_path);
    const QByteArray& bytes = file.bytes;
    if (file.status != state_file::ReadStatus::Ok || bytes.isEmpty()) {
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
    // A line longer than what is read is no password this program wrote whole.
    if (end == bytes.size() && file.truncated) {
        return std::nullopt;
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
