#pragma once
// One instance per window class, created at its first showing. Windows reach each other only
// through this registry: show, hide, unload.

#include "class_cursors.h"
#include "password_store.h"
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
    // The cursors every window and button of the program shows.
    ClassCursors& classCursors() { return m_classCursors; }

    // Start-up: the splash, which shows the main window when its animation has run.
    void showSplash();
    Form3* splash();
    void splashDone();

    // The main window; loaded at its first use, then shown, hidden or brought forward.
    Form1& form1();
    bool form1Loaded() const { return m_form1 != nullptr; }
    void showForm1();
    void hideForm1();

    // About dialog: loaded once, hidden by its button, shown again without reloading.
    Form4& showForm4();
    Form4* form4();

    // Alarm prompt: loaded once, hidden by its button, shown again without reloading.
    Form2& showForm2();
    Form2* form2();

    // Timer-options dialog: built afresh at each opening; an open one is only brought forward.
    Form5& showForm5();
    Form5* form5();
    // Password dialog: loaded at its opening (emptying the password file), unloaded when it closes.
    Form9& showForm9();
    Form9* form9();
    // Lock screen: loaded when a password has been stored, unloaded by the right password.
    Form10& showForm10();
    Form10* form10();
    // The password file, and what this run last stored in it.
    PasswordStore& passwordStore();

    // Ends the program at once: nothing is saved, no window is asked.
    void endProgram();
    // How the program ends; tests replace it.
    std::function<void()> onEnd;

private:
    Services& m_services;
    ClassCursors m_classCursors;
    std::unique_ptr<Form1> m_form1;
    QPointer<Form3> m_form3;
    QPointer<Form4> m_form4;
    QPointer<Form2> m_form2;
    QPointer<Form5> m_form5;
    QPointer<Form9> m_form9;
    QPointer<Form10> m_form10;
    std::optional<PasswordStore> m_passwordStore;
};

} // namespace quellor
