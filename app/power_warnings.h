#pragma once
// SPDX-License-Identifier: MIT
// Tells the user, in a "警告" box, that a power action they asked for did not happen or would
// not be allowed, and why in plain words. Nothing is shown over the lock screen: it stays as it
// is, whatever the system answered.

#include "platform.h"

#include <QCoreApplication>
#include <QObject>
#include <QString>

namespace quellor {

class Forms;
struct Services;

class PowerWarnings : public PowerListener {
    Q_DECLARE_TR_FUNCTIONS(quellor::PowerWarnings)

public:
    PowerWarnings(Services& services, Forms& forms);
    ~PowerWarnings() override;
    PowerWarnings(const PowerWarnings&) = delete;
    PowerWarnings& operator=(const PowerWarnings&) = delete;

    void powerFailed(const PowerReport& report) override;

    static QString text(const PowerReport& report);
    // What the action does, as a verb: "关机", "重新启动", "注销" (in English a noun that can
    // begin a sentence: "Shutdown").
    static QString verb(PowerAction action);

private:
    Services& m_services;
    Forms& m_forms;
    QObject m_pending; // boxes not yet shown go with it
};

} // namespace quellor
