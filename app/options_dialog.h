#pragma once
// SPDX-License-Identifier: MIT
// The timer-options dialog: chooses which power action runs at the power-action time. Built
// afresh at each opening and unloaded by OK, Cancel or its frame's close button.

#include "services.h"
#include "timer_action.h"

#include <QWidget>

#include <array>
#include <utility>

class QFrame;
class QGroupBox;
class QRadioButton;

namespace quellor {

class Forms;
class PlainButton;

class Form5 : public QWidget {
    Q_OBJECT
public:
    Form5(Services& services, Forms& forms, QWidget* parent = nullptr);
    ~Form5() override;

    QFrame* Picture1 = nullptr;
    QGroupBox* Frame1 = nullptr;     // "定时选项"
    QRadioButton* Op1 = nullptr;     // TimerAction::ShutDown
    QRadioButton* Op2 = nullptr;     // TimerAction::Restart
    QRadioButton* Op3 = nullptr;     // TimerAction::LogOff
    QRadioButton* Op4 = nullptr;     // TimerAction::Wait
    PlainButton* Command2 = nullptr; // "确定(&Y)"
    PlainButton* Command3 = nullptr; // "取消(&C)"
    PlainButton* Command1 = nullptr; // "@@@", no action

    // Handlers, in the order the behaviour runs.
    void Form_Load();
    void Command2_Click();
    void Command3_Click();

    // The action of the selected option; wait when none is (as the last option).
    TimerAction selectedAction() const;

private:
    void createControls();
    // Each option with the action it stands for.
    std::array<std::pair<QRadioButton*, TimerAction>, 4> options() const;

    Services& m_services;
    Forms& m_forms;
};

} // namespace quellor
