#pragma once
// SPDX-License-Identifier: MIT
// One instance per window class, created at its first showing. Windows reach each other only
// through this registry: show, hide, unload.

#include "class_cursors.h"
#include "password_store.h"
#include "power_warnings.h"
#include "schedule_model.h"
#include "services.h"

#include <QPointer>
#include <functional>
#include <memory>
#include <optional>

namespace quellor {

class Form1;
class Form2;
class Form3;
class Form4;
class Form5;
class Form9;
class Form10;

class Forms {
public:
    explicit Forms(Services& services);
    ~Forms();
    Forms(const Forms&) = delete;
    Forms& operator=(const Forms&) = delete;

    Services& services() { return m_services; }
    // The armed times, which every window, the command line and the bus share.
    ScheduleModel& schedule() { return m_schedule; }
    // The cursors every window and button of the program shows.
    ClassCursors& classCursors() { return m_classCursors; }

    // Start-up: the splash (Form3), which shows the main window when its animation has run.
    void showSplash();
    Form3* splash();
    void splashDone();

    // The main window (Form1); loaded at its first use, then shown, hidden or brought forward.
    Form1& mainWindow();
    bool mainWindowLoaded() const { return m_form1 != nullptr; }
    void showMainWindow();
    void hideMainWindow();
    // The main window can be seen: loaded, shown, slid down from its parking place and not under
    // the lock screen.
    bool mainWindowInSight() const;

    // About dialog (Form4): loaded once, hidden by its button, shown again without reloading.
    Form4& showAbout();
    Form4* aboutDialog();

    // Alarm prompt (Form2): loaded once, hidden by its button, shown again without reloading.
    Form2& showAlarmPrompt();
    Form2* alarmPrompt();

    // Timer-options dialog (Form5): built afresh at each opening; an open one is only brought forward.
    Form5& showOptions();
    Form5* optionsDialog();
    // Password dialog (Form9): loaded at its opening (emptying the password file), unloaded when it closes.
    Form9& showPasswordDialog();
    Form9* passwordDialog();
    // Lock screen (Form10): loaded when a password has been stored, unloaded by the right password.
    Form10& showLockScreen();
    Form10* lockScreen();
    // The password file, and what this run last stored in it.
    PasswordStore& passwordStore();

    // Ends the program at once: nothing is saved, no window is asked.
    void endProgram();
    // How the program ends; tests replace it.
    std::function<void()> onEnd;
    // Told when the lock screen goes up (true) and when it has gone (false).
    std::function<void(bool locked)> onLockChanged;

private:
    Services& m_services;
    ScheduleModel m_schedule{m_services};
    ClassCursors m_classCursors;
    std::unique_ptr<Form1> m_form1;
    QPointer<Form3> m_form3;
    QPointer<Form4> m_form4;
    QPointer<Form2> m_form2;
    QPointer<Form5> m_form5;
    QPointer<Form9> m_form9;
    QPointer<Form10> m_form10;
    std::optional<PasswordStore> m_passwordStore;
    PowerWarnings m_powerWarnings{m_services, *this};
};

} // namespace quellor
