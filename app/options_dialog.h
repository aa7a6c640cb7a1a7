#pragma once
// The timer-options dialog: chooses which power action runs at the power-action time. Built
// afresh at each opening and unloaded by OK, Cancel or its frame's close button.

#include "services.h"

#include <QWidget>

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
    QRadioButton* Op1 = nullptr;     // action 1, shut down
    QRadioButton* Op2 = nullptr;     // action 2, restart
    QRadioButton* Op3 = nullptr;     // action 3, log off
    QRadioButton* Op4 = nullptr;     // action 4, wait
    PlainButton* Command2 = nullptr; // "确定(&Y)"
    PlainButton* Command3 = nullptr; // "取消(&C)"
    PlainButton* Command1 = nullptr; // "@@@", no action

    // Handlers, in the order the behaviour runs.
    void Form_Load();
    void Command2_Click();
    void Command3_Click();

    // The action number of the selected option, 1 to 4.
    int selectedAction() const;

private:
    void createControls();

    Services& m_services;
    Forms& m_forms;
};

} // namespace quellor
