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
        return QStringLiteral("系统的登录管理服务(logind)不可用。");
    case PowerFailure::AccessDenied:
        return QStringLiteral("系统拒绝了此操作,当前用户没有权限。");
    case PowerFailure::AuthenticationRequired:
        return QStringLiteral("此操作需要管理员身份验证。");
    case PowerFailure::Inhibited: {
        if (report.blockers.empty()) {
            return QStringLiteral("有程序正在阻止此操作。");
        }
        QStringList names;
        for (const std::string& name : report.blockers) {
            names << QString::fromStdString(name);
        }
        return QStringLiteral("以下程序正在阻止此操作:%1。").arg(names.join(QStringLiteral("、")));
    }
    case PowerFailure::NoAnswer:
        return QStringLiteral("系统的登录管理服务(logind)没有应答。");
    case PowerFailure::NotSupported:
        return QStringLiteral("此计算机不支持此操作。");
    case PowerFailure::NoSession:
        return QStringLiteral("找不到当前的登录会话。");
    case PowerFailure::Other:
        break;
    }
    return QStringLiteral("系统返回错误:%1").arg(QString::fromStdString(report.detail));
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
        return QStringLiteral("关机");
    case PowerAction::Reboot:
        return QStringLiteral("重新启动");
    case PowerAction::EndSession:
    case PowerAction::PoliteLogoff:
        break;
    }
    return QStringLiteral("注销");
}

QString PowerWarnings::text(const PowerReport& report) {
    if (report.advance) {
        return QStringLiteral("定时%1可能无法执行:%2\n定时仍然有效。")
            .arg(verb(report.action), cause(report));
    }
    return QStringLiteral("%1失败:%2").arg(verb(report.action), cause(report));
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
