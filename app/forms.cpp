// SPDX-License-Identifier: MIT

#include "forms.h"

#include "about_dialog.h"
#include "alarm_prompt.h"
#include "form_taskbar.h"
#include "lock_screen.h"
#include "main_window.h"
#include "options_dialog.h"
#include "password_dialog.h"
#include "splash_screen.h"

#include <QCoreApplication>

namespace quellor {

namespace {

void bringForward(QWidget* w) {
    w->show();
    w->raise();
    w->activateWindow();
}

// A window is loaded at its first showing and then reused until it unloads itself.
template <class F, class Make> F& showLoaded(QPointer<F>& slot, Make make) {
    if (!slot) {
        slot = make();
    }
    bringForward(slot);
    return *slot;
}

} // namespace

Forms::Forms(Services& services) : m_services(services) {
    onEnd = [] { QCoreApplication::exit(0); };
}

Forms::~Forms() {
    delete m_form10.data();
    delete m_form9.data();
    delete m_form3.data();
    delete m_form4.data();
    delete m_form2.data();
    delete m_form5.data();
}

Form3* Forms::splash() {
    return m_form3;
}

Form4* Forms::aboutDialog() {
    return m_form4;
}

void Forms::showSplash() {
    if (!m_form3) {
        m_form3 = new Form3(m_services, *this);
    }
    m_form3->show();
}

void Forms::splashDone() {
    showMainWindow();
    if (m_form3) {
        m_form3->close(); // deletes itself
    }
}

Form1& Forms::mainWindow() {
    if (!m_form1) {
        m_form1 = std::make_unique<Form1>(m_services, *this);
        QObject::connect(m_form1.get(), &Form1::optionsDialogRequested, [this] { showOptions(); });
        QObject::connect(m_form1.get(), &Form1::alarmPromptRequested, [this] { showAlarmPrompt(); });
        QObject::connect(m_form1.get(), &Form1::lockDialogRequested, [this] { showPasswordDialog(); });
    }
    return *m_form1;
}

void Forms::showMainWindow() {
    bringForward(&mainWindow());
}

bool Forms::mainWindowInSight() const {
    if (!m_form1 || !m_form1->isVisible() || m_form1->isMinimized()) {
        return false;
    }
    if (m_form10 && m_form10->isVisible()) {
        return false;
    }
    return m_form1->Form_TaskBar1->IsTaskbarOut();
}

void Forms::hideMainWindow() {
    if (m_form1) {
        m_form1->hide();
    }
}

Form4& Forms::showAbout() {
    return showLoaded(m_form4, [this] { return new Form4(m_services); });
}

Form2* Forms::alarmPrompt() {
    return m_form2;
}

Form2& Forms::showAlarmPrompt() {
    return showLoaded(m_form2, [this] { return new Form2(m_services); });
}

Form5* Forms::optionsDialog() {
    return m_form5;
}

Form5& Forms::showOptions() {
    return showLoaded(m_form5, [this] { return new Form5(m_services, *this); });
}

void Forms::endProgram() {
    if (onEnd) {
        onEnd();
    }
}

PasswordStore& Forms::passwordStore() {
    if (!m_passwordStore) {
        m_passwordStore.emplace(m_services.statePath(QStringLiteral("pae.dll")));
    }
    return *m_passwordStore;
}

Form9* Forms::passwordDialog() {
    return m_form9;
}

Form9& Forms::showPasswordDialog() {
    return showLoaded(m_form9, [this] { return new Form9(m_services, *this, passwordStore()); });
}

Form10* Forms::lockScreen() {
    return m_form10;
}

Form10& Forms::showLockScreen() {
    if (!m_form10) {
        m_form10 = new Form10(m_services, *this, passwordStore());
        if (onLockChanged) {
            onLockChanged(true);
            QObject::connect(m_form10, &QObject::destroyed, [this] { onLockChanged(false); });
        }
    }
    m_form10->present();
    return *m_form10;
}

} // namespace quellor
