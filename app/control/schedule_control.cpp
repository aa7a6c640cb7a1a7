#include "schedule_control.h"

#include "answering_chooser.h"
#include "controls.h"
#include "forms.h"
#include "globals.h"
#include "main_window.h"
#include "options_dialog.h"

#include <QRadioButton>
#include <QScopedValueRollback>

namespace quellor {

namespace {

// A late tick catches up at most this many seconds (as the main window does); a longer jump of
// the clock passes over a time without running it.
constexpr qint64 kCatchUpSeconds = 60;
constexpr qint64 kDay = 24 * 60 * 60;

// The time in a field when the clock can show it; empty otherwise.
QString clockTime(const QString& fieldText) {
    const std::optional<QString> t = timeOfDay(fieldText);
    return t && *t == fieldText ? fieldText : QString();
}

// The six digits a user types for a time.
QString digitsOf(QString time) {
    return time.remove(QLatin1Char(':'));
}

QRadioButton* optionFor(Form5& dialog, TimerAction action) {
    switch (action) {
    case TimerAction::ShutDown:
        return dialog.Op1;
    case TimerAction::Restart:
        return dialog.Op2;
    case TimerAction::LogOff:
        return dialog.Op3;
    case TimerAction::Wait:
    case TimerAction::None:
        break;
    }
    return dialog.Op4;
}

QString notATime(const QString& text) {
    return QStringLiteral("\"%1\" is not a time of day (HH:MM or HH:MM:SS, 24-hour)").arg(text);
}

} // namespace

ScheduleControl::ScheduleControl(Forms& forms, AnsweringChooser& chooser)
    : m_forms(forms), m_chooser(chooser) {
    m_forms.onMainWindowLoaded = [this](Form1& w) { attach(w); };
    if (m_forms.mainWindowLoaded()) {
        attach(m_forms.mainWindow());
    }
}

ScheduleControl::~ScheduleControl() {
    m_forms.onMainWindowLoaded = nullptr;
}

Form1* ScheduleControl::window() const {
    return m_forms.mainWindowLoaded() ? &m_forms.mainWindow() : nullptr;
}

void ScheduleControl::attach(Form1& w) {
    // Connected after the window's own handler, so a tick is seen after its schedule check.
    connect(w.Text1, &QLineEdit::textChanged, this, &ScheduleControl::onTick);
    connect(w.Text2, &QLineEdit::textChanged, this, &ScheduleControl::refresh);
    connect(w.Text3, &QLineEdit::textChanged, this, &ScheduleControl::refresh);
    refresh();
}

void ScheduleControl::refresh() {
    if (m_driving) {
        return;
    }
    ArmedState now;
    if (const Form1* w = window()) {
        const QString at = clockTime(w->Text3->text());
        // The options dialog's OK sets the action without touching a field; the next tick sees it.
        if (!at.isEmpty() && powerActionFor(g_TimerAction)) {
            now.action = g_TimerAction;
            now.actionTime = at;
        }
        now.alarmTime = clockTime(w->Text2->text());
    }
    if (now == m_state) {
        return;
    }
    const ArmedState before = std::exchange(m_state, now);
    m_lastLeft.reset();
    Q_EMIT stateChanged(m_state, before);
}

std::optional<qint64> ScheduleControl::secondsToAction() const {
    if (m_state.action == TimerAction::None) {
        return std::nullopt;
    }
    const QTime at = QTime::fromString(m_state.actionTime, QStringLiteral("hh:mm:ss"));
    const qint64 left = m_forms.services().clock.now().time().secsTo(at);
    return left < 0 ? left + kDay : left;
}

void ScheduleControl::onTick() {
    refresh();
    const std::optional<qint64> left = secondsToAction();
    bool ran = left == 0;
    if (left && m_lastLeft && *m_lastLeft > 0) {
        // Counting down past zero within a catch-up: the window checked that second too.
        const qint64 passed = (*m_lastLeft - *left + kDay) % kDay;
        ran = ran || (*left > *m_lastLeft && passed <= kCatchUpSeconds);
    }
    m_lastLeft = left;
    Q_EMIT ticked();
    if (ran) {
        Q_EMIT actionRan();
    }
}

QString ScheduleControl::scheduleAction(TimerAction action, const QString& time) {
    const std::optional<QString> at = timeOfDay(time);
    if (!at) {
        return notATime(time);
    }
    if (!powerActionFor(action)) {
        return QStringLiteral("no power action given");
    }
    {
        const QScopedValueRollback<bool> driving(m_driving, true);
        Form1& w = m_forms.mainWindow();
        if (w.Command5->isEnabled()) {
            w.Command5_Click();
        }
        if (w.VsNetBut1->isEnabled()) {
            w.VsNetBut1_Click();
        }
        w.Text3->setText(digitsOf(*at));
        w.Text3_KeyUp(); // completes the time and opens the options dialog
        w.Text3_LostFocus();
        if (Form5* dialog = m_forms.optionsDialog()) {
            optionFor(*dialog, action)->setChecked(true);
            dialog->Command2_Click();
        }
    }
    refresh();
    return {};
}

void ScheduleControl::cancelAction() {
    Form1* w = window();
    if (w && w->Command5->isEnabled()) {
        w->Command5_Click();
    }
    refresh();
}

QString ScheduleControl::setAlarm(const QString& time, const QString& music) {
    const std::optional<QString> at = timeOfDay(time);
    if (!at) {
        return notATime(time);
    }
    if (!music.isEmpty()) {
        if (const QString problem = musicProblem(music); !problem.isEmpty()) {
            return problem;
        }
    }
    {
        const QScopedValueRollback<bool> driving(m_driving, true);
        Form1& w = m_forms.mainWindow();
        if (w.Command4->isEnabled()) {
            w.Command4_Click();
        }
        if (w.VsNetBut2->isEnabled()) {
            w.VsNetBut2_Click();
        }
        w.Text2_GotFocus();
        w.Text2->setText(digitsOf(*at));
        w.Text2_KeyUp();
        w.Text2_LostFocus();
        if (!music.isEmpty()) {
            m_chooser.answerNext(music);
            w.Command1_Click();
        }
    }
    refresh();
    return {};
}

void ScheduleControl::cancelAlarm() {
    Form1* w = window();
    if (w && w->Command4->isEnabled()) {
        w->Command4_Click();
    }
    refresh();
}

QString ScheduleControl::apply(const ControlRequest& request) {
    // Checked as a whole first: a request that is refused arms and cancels nothing.
    if (request.action != TimerAction::None && !timeOfDay(request.actionTime)) {
        return notATime(request.actionTime);
    }
    if (!request.alarmTime.isEmpty() && !timeOfDay(request.alarmTime)) {
        return notATime(request.alarmTime);
    }
    if (!request.music.isEmpty()) {
        if (QString problem = musicProblem(request.music); !problem.isEmpty()) {
            return problem;
        }
    }
    if (request.cancelAction) {
        cancelAction();
    }
    if (request.action != TimerAction::None) {
        if (QString error = scheduleAction(request.action, request.actionTime); !error.isEmpty()) {
            return error;
        }
    }
    if (request.cancelAlarm) {
        cancelAlarm();
    }
    if (!request.alarmTime.isEmpty()) {
        return setAlarm(request.alarmTime, request.music);
    }
    return {};
}

} // namespace quellor
