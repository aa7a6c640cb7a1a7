#pragma once
// SPDX-License-Identifier: MIT
// The program's windows over the fixture's fakes, with helpers for the main window: its own
// ticker is stopped and tests tick it by hand.

#include "app_fixture.h"
#include "file_bytes.h"
#include "globals.h"
#include "main_window.h"

#include <QApplication>
#include <QFile>
#include <QTest>

namespace quellor {

// Makes a window the active one at once, as a test under the offscreen platform needs. Qt 6.5
// deprecated the call with nothing that acts at once in its place.
inline void makeActive(QWidget* window) {
    QT_WARNING_PUSH
    QT_WARNING_DISABLE_DEPRECATED
    QApplication::setActiveWindow(window);
    QT_WARNING_POP
}

struct AppRig : AppFixture {
    const QDate firstDay = clock.now().date();

    AppRig() { g_TimerAction = TimerAction::None; }

    // The main window shown and active, its ticker stopped, the load's recordings cleared.
    Form1& mainWindow() {
        Form1& f = forms.mainWindow();
        f.Timer1->stop();
        if (!f.isVisible()) {
            forms.showMainWindow();
            makeActive(&f);
            [[maybe_unused]] const bool active = QTest::qWaitForWindowActive(&f);
        }
        return f;
    }

    // Sets the clock and delivers one tick of the main window.
    void tickAt(const QDateTime& t) {
        clock.set(t);
        forms.mainWindow().Timer1_Timer();
    }
    void tickAt(const QTime& t, int daysLater = 0) { tickAt(QDateTime(firstDay.addDays(daysLater), t)); }

    QString settingsPath() const { return services.path(QStringLiteral("Diri.dll")); }
    void writeSettings(const QByteArray& bytes) { QVERIFY(writeFileBytes(settingsPath(), bytes)); }
    QByteArray settingsBytes() const { return fileBytes(settingsPath(), {}); }

    // Names of the cue files played by the main window, in order.
    QStringList cues() const {
        QStringList out;
        const QString prefix = QStringLiteral("Player2 open ");
        for (const QString& e : sound.log) {
            if (e.startsWith(prefix)) {
                out << e.mid(e.lastIndexOf(QLatin1Char('/')) + 1);
            }
        }
        return out;
    }
};

// Lets deleteLater() of closed windows take effect.
inline void flushDeletes() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

} // namespace quellor
