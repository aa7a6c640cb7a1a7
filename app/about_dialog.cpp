// SPDX-License-Identifier: MIT

#include "about_dialog.h"

#include "controls.h"
#include "dialog_window.h"
#include "frame_host.h"
#include "image_read.h"

#include <QPlainTextEdit>
#include <QTextDocument>

namespace quellor {

Form4::Form4(Services& services)
    : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint), m_services(services) {
    setObjectName(QStringLiteral("Form4"));
    setWindowTitle(windowCaption(QT_TRANSLATE_NOOP("quellor::Caption", "软件说明")));
    setWindowIcon(readIcon(QStringLiteral(":/assets/icons/quellor-32.png"), "PNG"));
    setAttribute(Qt::WA_DeleteOnClose); // unloaded by its frame's close button
    const Twips t = screenTwips();
    resize(t.toPixelsX(4095), t.toPixelsY(2175));
    centreOnScreen(this);
    QPalette p = palette();
    p.setColor(QPalette::Window, QColor(224, 224, 224));
    setPalette(p);
    setAutoFillBackground(true);

    Text1 = new QPlainTextEdit(this);
    nameControl(Text1, QStringLiteral("Text1"), windowTitle());
    Text1->setFont(makeFont(QStringLiteral("宋体"), 10.5, false));
    Text1->setReadOnly(true);
    // A text box's inner margin is a pixel or two; the document's default would cost the five
    // lines of the about text half a line of their box.
    Text1->document()->setDocumentMargin(2);
    QPalette tp = Text1->palette();
    tp.setColor(QPalette::Base, Qt::white);
    tp.setColor(QPalette::Text, QColor(0, 0, 255));
    Text1->setPalette(tp);
    placeTwips(Text1, 120, 480, 3855, 1215, t);

    Command2 = new PlainButton(QStringLiteral("Command2"), tr("返回系统"), this);
    Command2->setToolTip(tr("返回主窗口"));
    placeTwips(Command2, 2760, 1680, 1095, 375, t);
    Command1 = new PlainButton(QStringLiteral("Command1"), QStringLiteral("@@@"), this);
    Command1->setFocusPolicy(Qt::NoFocus);
    placeTwips(Command1, 3360, 0, 615, 375, t);

    Player = new MediaPlayer(m_services.sound, QStringLiteral("Player"), true, this);
    attachFrame(this, QStringLiteral("Form4"), m_services.programDir);
    connect(Command2, &QPushButton::clicked, this, &Form4::Command2_Click);
    Form_Load();
}

QString Form4::aboutText() {
    return tr("软件名称：Quellor4.0\r\n"
              "*****************************\r\n"
              "制作：Quellor 开发组\r\n"
              "网址：quellor.invalid\r\n"
              "邮件：dev@quellor.invalid");
}

void Form4::Form_Load() {
    Text1->setPlainText(QString(aboutText()).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
}

void Form4::Command2_Click() {
    Player->open(m_services.path(QStringLiteral("6.wav")));
    hide();
}

} // namespace quellor
