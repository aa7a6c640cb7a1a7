#pragma once
// SPDX-License-Identifier: MIT
// Power actions through logind, each request's answer awaited without blocking: power off and
// restart, the end of the program's own session, and a polite log-off through the desktop's
// session manager where one answers. A refusal is explained (with the programs that hold a
// blocking inhibitor) and passed to the power listener.

#include "logind_client.h"
#include "platform.h"

#include <set>

namespace quellor {

class LogindPower : public QObject {
    Q_OBJECT
public:
    explicit LogindPower(QObject* parent = nullptr, int timeoutMs = LogindClient::kDefaultTimeoutMs);

    void setListener(PowerListener* listener) { m_listener = listener; }
    void request(PowerAction action);
    void check(PowerAction action);

    static PowerFailure failureFor(const QString& errorName);
    // What logind's ListInhibitors answer says holds off power-off and restart for this user:
    // the programs with a "block" lock on "shutdown", by name, each once. Locks of the user's
    // own programs (logind lets the user pass them) and of this process are left out.
    static std::vector<std::string> blockers(const QDBusMessage& listInhibitorsReply, uint ownUid,
                                             uint ownPid);

private:
    void answered(PowerAction action, const QDBusMessage& reply);
    void report(PowerReport report);
    void terminateOwnSession(PowerAction action);
    void terminateSession(PowerAction action, const QString& path);
    void politeLogout(int step);

    LogindClient m_logind;
    PowerListener* m_listener = nullptr;
    std::set<PowerAction> m_pending;
};

} // namespace quellor
