// SPDX-License-Identifier: MIT

#include "session_idle_inhibitor.h"

#include <QDBusMessage>

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

SessionIdleInhibitor::SessionIdleInhibitor(const QDBusConnection& sessionBus) : m_session(sessionBus) {}

SessionIdleInhibitor::~SessionIdleInhibitor() {
    release();
}

void SessionIdleInhibitor::hold(const std::string& why) {
    if (m_held && why == m_why) {
        return;
    }
    m_held = true;
    m_why = why;
    const quint64 generation = ++m_generation;
    const QString reason = QString::fromStdString(why);

    m_calls.callManager(QStringLiteral("Inhibit"),
                        {QStringLiteral("idle"), QStringLiteral("Quellor"), reason, QStringLiteral("block")},
                        [this, generation](const QDBusMessage& reply) {
                            // A stale answer's descriptor closes with the reply, which ends that inhibitor.
                            if (reply.type() == QDBusMessage::ReplyMessage && generation == m_generation &&
                                !reply.arguments().isEmpty()) {
                                m_logindLock =
                                    reply.arguments().constFirst().value<QDBusUnixFileDescriptor>();
                            }
                        });

    m_calls.send(m_session,
                 gnomeCall(QStringLiteral("Inhibit"),
                           {QStringLiteral("org.quellor.Quellor"), 0u, reason, kGnomeInhibitIdle}),
                 [this, generation](const QDBusMessage& reply) {
                     if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty()) {
                         return; // no such session manager here
                     }
                     const uint cookie = reply.arguments().constFirst().toUInt();
                     if (generation == m_generation) {
                         // The hold it replaces goes once this one stands.
                         if (const std::optional<uint> old = std::exchange(m_sessionCookie, cookie)) {
                             m_calls.send(m_session, gnomeCall(QStringLiteral("Uninhibit"), {*old}), {});
                         }
                     } else {
                         m_calls.send(m_session, gnomeCall(QStringLiteral("Uninhibit"), {cookie}), {});
                     }
                 });
}

void SessionIdleInhibitor::release() {
    if (!m_held) {
        return;
    }
    m_held = false;
    m_why.clear();
    ++m_generation;
    m_logindLock = QDBusUnixFileDescriptor();
    if (m_sessionCookie) {
        m_calls.send(m_session,
                     gnomeCall(QStringLiteral("Uninhibit"), {*std::exchange(m_sessionCookie, std::nullopt)}),
                     {});
    }
}

} // namespace quellor
