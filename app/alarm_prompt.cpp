// SPDX-License-Identifier: MIT

#include "alarm_prompt.h"

#include "controls.h"
#include "dialog_window.h"
#include "frame_host.h"
#include "media_player.h"

#include <QPlainTextEdit>

namespace quellor {

QString Form2::message() {
    return tr("请先定好闹钟的时间,\r\n再选择你要作为闹钟的音乐！");
}

Form2::Form2(Services& services, QWidget* parent) : QWidget(parent), m_services(services) {
    setObjectName(QStringLiteral("Form2"));
    // Its frame's close button unloads it; the registry then builds a new one when needed.
    setAttribute(Qt::WA_DeleteOnClose);
    createControls();
    attachFrame(this, QStringLiteral("Form2"), m_services.programDir);
    connect(Command2, &QPushButton::clicked, this, &Form2::Command2_Click);
    Form_Load();
}

Form2::~Form2() = default;

void Form2::createControls() {
    const Twips t = screenTwips();
    setUpDialogWindow(this, QT_TRANSLATE_NOOP("quellor::Caption", "提示信息"), 4695, 2040, t);

    Text1 = new QPlainTextEdit(this);
    nameControl(Text1, QStringLiteral("Text1"), windowTitle());
    // A message to read, not a field to fill.
    Text1->setReadOnly(true);
    Text1->setFont(makeFont(QStringLiteral("宋体"), 10.5, false));
    QPalette p = Text1->palette();
    p.setColor(QPalette::Base, Qt::white);
    p.setColor(QPalette::Text, colorFromRgb(128, 128, 0));
    Text1->setPalette(p);
    placeTwips(Text1, 120, 480, 4455, 855, t);

    Command2 = new PlainButton(QStringLiteral("Command2"), tr("返回系统"), this);
    placeTwips(Command2, 3360, 1560, 1095, 375, t);

    Command1 = new PlainButton(QStringLiteral("Command1"), QStringLiteral("@@@"), this);
    Command1->setFont(makeFont(QStringLiteral("宋体"), 14.25, true));
    Command1->setTextColor(colorFromRgb(192, 192, 192));
    placeTwips(Command1, 3960, 0, 615, 375, t);

    Player = new MediaPlayer(m_services.sound, QStringLiteral("Player"), true, this);

    setTabOrder(Command2, Text1);
    setTabOrder(Text1, Command1);
}

void Form2::Form_Load() {
    QString shown = message();
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    Text1->setPlainText(shown);
}

void Form2::Command2_Click() {
    Player->open(m_services.path(QStringLiteral("6.wav")));
    hide();
}

} // namespace quellor
