// SPDX-License-Identifier: MIT

#include "shown_gate.h"

#include <QCoreApplication>
#include <QEvent>
#include <QGuiApplication>
#include <QWindow>

#include <algorithm>

namespace quellor {

ShownGate::ShownGate(QObject* parent) : QObject(parent) {
    m_deadline.setSingleShot(true);
    m_deadline.setInterval(kMaxWaitMs);
    connect(&m_deadline, &QTimer::timeout, this, &ShownGate::open);
}

bool ShownGate::windowOnItsWay() {
    if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance())) {
        return false;
    }
    const QList<QWindow*> windows = QGuiApplication::topLevelWindows();
    return std::any_of(windows.begin(), windows.end(),
                       [](const QWindow* w) { return w->isVisible() && !w->isExposed(); });
}

void ShownGate::run(QObject* context, std::function<void()> work) {
    if (!m_open && m_waiting.empty() && !windowOnItsWay()) {
        m_open = true;
    }
    if (m_open) {
        work();
        return;
    }
    m_waiting.emplace_back(context, std::move(work));
    if (!m_watching) {
        m_watching = true;
        QCoreApplication::instance()->installEventFilter(this);
        m_deadline.start();
    }
}

bool ShownGate::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Expose && !m_open) {
        // Opened after this event is handled, so the window paints before the work runs.
        QTimer::singleShot(0, this, &ShownGate::open);
    }
    return QObject::eventFilter(watched, event);
}

void ShownGate::open() {
    if (m_open) {
        return;
    }
    m_open = true;
    m_deadline.stop();
    QCoreApplication::instance()->removeEventFilter(this);
    // Taken out first: work may ask for more, which now runs at once, after what came before it.
    auto waiting = std::move(m_waiting);
    m_waiting.clear();
    for (auto& [context, work] : waiting) {
        if (context) {
            work();
        }
    }
}

} // namespace quellor
