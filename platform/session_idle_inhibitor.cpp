#include "session_idle_inhibitor.h"

#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>

namespace quellor {

namespace {

const QString kGnome = QStringLiteral("org.gnome.SessionManager");
const QString kGnomePath = QStringLiteral("/org/gnome/SessionManager");
constexpr uint kGnomeInhibitIdle = 8;

QDBusMessage gnomeCall(const QString& method, const QVariantList& args) {
    QDBusMessage msg = QDBusMessage::createMethodCall(kGnome, kGnomePath, kGnome, method);
    msg.setArguments(args);
    return msg;
}

} // namespace

SessionIdleInhibitor::SessionIdleInhibitor(const QDBusConnection& systemBus,
                                           const QDBusConnection& sessionBus)
    : m_system(systemBus), m_session(sessionBus) {}

SessionIdleInhibitor::~SessionIdleInhibitor() {
    release();
}

void SessionIdleInhibitor::hold(const std::string& why) {
    if (m_held) {
        return;
    }
    m_held = true;
    const quint64 generation = ++m_generation;
    const QString reason = QString::fromStdString(why);

    QDBusMessage inhibit = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.login1"), QStringLiteral("/org/freedesktop/login1"),
        QStringLiteral("org.freedesktop.login1.Manager"), QStringLiteral("Inhibit"));
    inhibit.setArguments(
        {QStringLiteral("idle"), QStringLiteral("Quellor"), reason, QStringLiteral("block")});
    auto* logind = new QDBusPendingCallWatcher(m_system.asyncCall(inhibit), this);
    connect(logind, &QDBusPendingCallWatcher::finished, this, [this, generation](QDBusPendingCallWatcher* w) {
        w->deleteLater();
        const QDBusPendingReply<QDBusUnixFileDescriptor> reply = *w;
        // A stale answer's descriptor closes with the reply, which ends that inhibitor.
        if (!reply.isError() && generation == m_generation) {
            m_logindLock = reply.value();
        }
    });

    auto* gnome = new QDBusPendingCallWatcher(
        m_session.asyncCall(gnomeCall(QStringLiteral("Inhibit"), {QStringLiteral("org.quellor.Quellor"), 0u,
                                                                  reason, kGnomeInhibitIdle})),
        this);
    connect(gnome, &QDBusPendingCallWatcher::finished, this, [this, generation](QDBusPendingCallWatcher* w) {
        w->deleteLater();
        const QDBusPendingReply<uint> reply = *w;
        if (reply.isError()) {
            return; // no such session manager here
        }
        if (generation == m_generation) {
            m_sessionCookie = reply.value();
        } else {
            m_session.asyncCall(gnomeCall(QStringLiteral("Uninhibit"), {reply.value()}));
        }
    });
}

void SessionIdleInhibitor::release() {
    if (!m_held) {
        return;
    }
    m_held = false;
    ++m_generation;
    m_logindLock = QDBusUnixFileDescriptor();
    if (m_sessionCookie) {
        m_session.asyncCall(
            gnomeCall(QStringLiteral("Uninhibit"), {*std::exchange(m_sessionCookie, std::nullopt)}));
    }
}

} // namespace quellor
