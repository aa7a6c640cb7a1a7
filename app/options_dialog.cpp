// SPDX-License-Identifier: MIT

#include "options_dialog.h"

#include "controls.h"
#include "dialog_window.h"
#include "forms.h"
#include "frame_host.h"

#include <QFrame>
#include <QGroupBox>
#include <QRadioButton>

namespace quellor {

namespace {
const QColor kBack = colorFromRgb(224, 224, 224);

void paintBack(QWidget* w) {
    QPalette p = w->palette();
    p.setColor(QPalette::Window, kBack);
    p.setColor(QPalette::Button, kBack);
    w->setPalette(p);
    w->setAutoFillBackground(true);
}

QRadioButton* makeOption(const QString& name, const QString& caption, QWidget* parent) {
    auto* op = new QRadioButton(caption, parent);
    nameControl(op, name, caption);
    paintBack(op);
    return op;
}
} // namespace

Form5::Form5(Services& services, Forms& forms, QWidget* parent)
    : QWidget(parent), m_services(services), m_forms(forms) {
    setObjectName(QStringLiteral("Form5"));
    setAttribute(Qt::WA_DeleteOnClose);
    createControls();
    attachFrame(this, QStringLiteral("Form5"), m_services.programDir);
    connect(Command2, &QPushButton::clicked, this, &Form5::Command2_Click);
    connect(Command3, &QPushButton::clicked, this, &Form5::Command3_Click);
    Form_Load();
}

Form5::~Form5() = default;

void Form5::createControls() {
    const Twips t = screenTwips();
    setUpDialogWindow(this, QT_TRANSLATE_NOOP("quellor::Caption", "系统定时操作"), 4935, 2415, t);

    Picture1 = new QFrame(this);
    Picture1->setObjectName(QStringLiteral("Picture1"));
    Picture1->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    paintBack(Picture1);
    placeTwips(Picture1, 120, 360, 4695, 1935, t);

    Frame1 = new QGroupBox(tr("定时选项"), Picture1);
    nameControl(Frame1, QStringLiteral("Frame1"), Frame1->title());
    paintBack(Frame1);
    placeTwips(Frame1, 120, 120, 4455, 1215, t);

    Op1 = makeOption(QStringLiteral("Op1"), tr("启动定时关闭计算机"), Frame1);
    Op2 = makeOption(QStringLiteral("Op2"), tr("启动定时重起计算机"), Frame1);
    Op3 = makeOption(QStringLiteral("Op3"), tr("启动定时注消计算机"), Frame1);
    Op4 = makeOption(QStringLiteral("Op4"), tr("启动定时等待"), Frame1);
    placeTwips(Op1, 120, 240, 2055, 375, t);
    placeTwips(Op2, 120, 720, 2055, 375, t);
    placeTwips(Op3, 2280, 240, 2055, 375, t);
    placeTwips(Op4, 2280, 720, 2055, 375, t);

    Command2 = new PlainButton(QStringLiteral("Command2"), tr("确定(&Y)"), Picture1);
    Command3 = new PlainButton(QStringLiteral("Command3"), tr("取消(&C)"), Picture1);
    placeTwips(Command2, 2400, 1440, 975, 375, t);
    placeTwips(Command3, 3480, 1440, 975, 375, t);

    Command1 = new PlainButton(QStringLiteral("Command1"), QStringLiteral("@@@"), this);
    Command1->setFont(makeFont(QStringLiteral("宋体"), 14.25, true));
    Command1->setTextColor(colorFromRgb(192, 192, 192));
    placeTwips(Command1, 4200, 0, 615, 375, t);

    setTabOrder(Op1, Op2);
    setTabOrder(Op2, Op3);
    setTabOrder(Op3, Op4);
    setTabOrder(Op4, Command2);
    setTabOrder(Command2, Command3);
    setTabOrder(Command3, Command1);
}

std::array<std::pair<QRadioButton*, TimerAction>, 4> Form5::options() const {
    return {{{Op1, TimerAction::ShutDown},
             {Op2, TimerAction::Restart},
             {Op3, TimerAction::LogOff},
             {Op4, TimerAction::Wait}}};
}

void Form5::Form_Load() {
    const TimerAction stored = m_forms.schedule().storedChoice();
    for (const auto& [option, action] : options()) {
        if (action == stored) {
            option->setChecked(true);
        }
    }
}

TimerAction Form5::selectedAction() const {
    for (const auto& [option, action] : options()) {
        if (option->isChecked()) {
            return action;
        }
    }
    return TimerAction::Wait;
}

void Form5::Command2_Click() {
    m_forms.schedule().chooseAction(selectedAction());
    close();
}

void Form5::Command3_Click() {
    close();
    m_forms.showMainWindow();
}

} // namespace quellor
