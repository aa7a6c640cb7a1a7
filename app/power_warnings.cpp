// SPDX-License-Identifier: MIT

#include "power_warnings.h"

#include "forms.h"
#include "lock_screen.h"

#include <QStringList>
#include <QTimer>

#include <cstdio>

namespace quellor {

namespace {

QString cause(const PowerReport& report) {
    switch (report.failure) {
    case PowerFailure::ServiceMissing:
        return PowerWarnings::tr("系统的登录管理服务(logind)不可用。");
    case PowerFailure::AccessDenied:
        return PowerWarnings::tr("系统拒绝了此操作,当前用户没有权限。");
    case PowerFailure::AuthenticationRequired:
        return PowerWarnings::tr("此操作需要管理员身份验证。");
    case PowerFailure::Inhibited: {
        if (report.blockers.empty()) {
            return PowerWarnings::tr("有程序正在阻止此操作。");
        }
        QStringList names;
        for (const std::string& name : report.blockers) {
            names << QString::fromStdString(name);
        }
        return PowerWarnings::tr("以下程序正在阻止此操作:%1。")
            .arg(names.join(PowerWarnings::tr("、", "between the names of programs")));
    }
    case PowerFailure::NoAnswer:
        return PowerWarnings::tr("系统的登录管理服务(logind)没有应答。");
    case PowerFailure::NotSupported:
        return PowerWarnings::tr("此计算机不支持此操作。");
    case PowerFailure::NoSession:
        return PowerWarnings::tr("找不到当前的登录会话。");
    case PowerFailure::Other:
        break;
    }
    return PowerWarnings::tr("系统返回错误:%1").arg(QString::fromStdString(report.detail));
}

} // namespace

PowerWarnings::PowerWarnings(Services& services, Forms& forms) : m_services(services), m_forms(forms) {
    m_services.platform.setPowerListener(this);
}

PowerWarnings::~PowerWarnings() {
    m_services.platform.setPowerListener(nullptr);
}

QString PowerWarnings::verb(PowerAction action) {
    switch (action) {
    case PowerAction::PowerOff:
        return tr("关机");
    case PowerAction::Reboot:
        return tr("重新启动");
    case PowerAction::EndSession:
    case PowerAction::PoliteLogoff:
        break;
    }
    return tr("注销");
}

QString PowerWarnings::text(const PowerReport& report) {
    if (report.advance) {
        return tr("定时%1可能无法执行:%2\n定时仍然有效。").arg(verb(report.action), cause(report));
    }
    return tr("%1失败:%2").arg(verb(report.action), cause(report));
}

void PowerWarnings::powerFailed(const PowerReport& report) {
    const QString message = text(report);
    std::fprintf(stderr, "Quellor: %s\n", qUtf8Printable(message));
    if (m_forms.lockScreen()) {
        return; // the lock stays exactly as it is
    }
    // Not inside the bus's answer: the box runs a modal loop of its own. Centred on the
    // screen, as the main window may be parked above its top edge.
    QTimer::singleShot(0, &m_pending, [this, message] {
        if (!m_forms.lockScreen()) {
            m_services.messages.warning(nullptr, message);
        }
    });
}

} // namespace quellor
