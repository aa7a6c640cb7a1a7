// SPDX-License-Identifier: MIT

#include "password_dialog.h"

#include "controls.h"
#include "dialog_window.h"
#include "forms.h"
#include "frame_host.h"
#include "line_breaks.h"
#include "password_store.h"

#include <QDir>
#include <QFrame>

namespace quellor {

namespace {

TextBox* captionBox(const QString& name, const QString& text, QWidget* parent) {
    auto* box = new TextBox(name, parent);
    box->setText(text);
    box->setReadOnly(true);
    box->setFrame(false);
    box->setFocusPolicy(Qt::NoFocus);
    box->setAccessibleName(text);
    return box;
}

// A caption stands just left of its field. Where a translation needs more room than the box
// gives, the box takes the white space to its left, keeping its right edge.
void widenToTheLeft(TextBox* box) {
    const int needed = qMin(textBoxWidthFor(box, box->text()), box->geometry().right() + 1);
    if (needed > box->width()) {
        box->setGeometry(box->geometry().adjusted(box->width() - needed, 0, 0, 0));
    }
}

TextBox* passwordBox(const QString& name, const QString& accessible, QWidget* parent) {
    auto* box = new TextBox(name, parent);
    box->setAccessibleName(accessible);
    showAsStars(box);
    refuseLineBreaks(box);
    return box;
}

} // namespace

Form9::Form9(Services& services, Forms& forms, PasswordStore& store)
    : m_services(services), m_forms(forms), m_store(store) {
    setObjectName(QStringLiteral("Form9"));
    setAttribute(Qt::WA_DeleteOnClose);
    createControls();
    attachFrame(this, QStringLiteral("Form9"), m_services.programDir);
    connect(Command1, &QPushButton::clicked, this, &Form9::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &Form9::Command2_Click);
    Form_Load();
}

void Form9::createControls() {
    const Twips t = screenTwips();
    setUpDialogWindow(this, QT_TRANSLATE_NOOP("quellor::Caption", "输入密码"), 3855, 2295, t);

    Frame1 = new QFrame(this);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    QPalette white = Frame1->palette();
    white.setColor(QPalette::Window, Qt::white);
    white.setColor(QPalette::Base, Qt::white);
    Frame1->setPalette(white);
    Frame1->setAutoFillBackground(true);
    placeTwips(Frame1, 120, 480, 3615, 1215, t);

    Text4 = captionBox(QStringLiteral("Text4"), tr("密码:"), Frame1);
    placeTwips(Text4, 840, 240, 495, 375, t);
    widenToTheLeft(Text4);
    Text1 = passwordBox(QStringLiteral("Text1"), tr("密码"), Frame1);
    placeTwips(Text1, 1560, 120, 1815, 375, t);
    Text3 = captionBox(QStringLiteral("Text3"), tr("再输入一次:"), Frame1);
    placeTwips(Text3, 240, 600, 1215, 375, t);
    widenToTheLeft(Text3);
    Text2 = passwordBox(QStringLiteral("Text2"), tr("再输入一次"), Frame1);
    placeTwips(Text2, 1560, 600, 1815, 375, t);

    Command1 = new PlainButton(QStringLiteral("Command1"), tr("确定(&Y)"), this);
    placeTwips(Command1, 1560, 1800, 975, 375, t);
    Command2 = new PlainButton(QStringLiteral("Command2"), tr("取消(&C)"), this);
    placeTwips(Command2, 2640, 1800, 975, 375, t);
    Command3 = new PlainButton(QStringLiteral("Command3"), QStringLiteral("@@@"), this);
    Command3->setFocusPolicy(Qt::NoFocus);
    placeTwips(Command3, 3120, 0, 615, 375, t);

    setTabOrder(Text1, Text2);
    setTabOrder(Text2, Command1);
    setTabOrder(Command1, Command2);
    Text1->setFocus();
}

QString Form9::unwritableText(const QString& path) {
    return tr("无法写入密码文件:\n%1\n计算机未锁定。").arg(QDir::toNativeSeparators(path));
}

void Form9::Form_Load() {
    // The old password goes as soon as the dialog opens. A file that cannot even be emptied is
    // reported when OK tries to store the new one.
    m_store.clear();
}

void Form9::Command1_Click() {
    if (Text2->text() != Text1->text()) {
        m_services.messages.information(this, mismatchText());
        return;
    }
    // A lock whose password was never stored could only end in a power-off.
    if (!m_store.write(Text1->text())) {
        m_services.messages.warning(this, unwritableText(m_store.path()));
        return;
    }
    m_forms.showLockScreen();
    m_forms.hideMainWindow();
    close();
}

void Form9::Command2_Click() {
    close();
}

} // namespace quellor
