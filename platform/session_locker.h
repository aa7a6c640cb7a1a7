#pragma once
// SPDX-License-Identifier: MIT
// What the lock tells logind about the program's own session: lock it, so the desktop's own locker
// covers the screen, and mark it locked (LockedHint) for as long as the program's lock stands.
// Asynchronous: the answers are awaited without holding up the window, and a refusal is logged.

#include <QString>

#include <functional>
#include <vector>

namespace quellor {

class LogindClient;

class SessionLocker {
public:
    explicit SessionLocker(LogindClient& logind) : m_logind(logind) {}

    void lock();
    // Marks in the order asked, whatever the answers' order.
    void markLocked(bool locked);

private:
    // Runs `then` with the session's object path, looked up once.
    void withSession(std::function<void(const QString& path)> then);

    LogindClient& m_logind;
    QString m_path;
    std::vector<std::function<void(const QString&)>> m_waiting;
};

} // namespace quellor
