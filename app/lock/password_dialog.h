#pragma once
// SPDX-License-Identifier: MIT
// The password dialog: the password typed twice; OK stores it and locks the screen at once.
// Opening the dialog empties the password file.

#include "services.h"

#include <QWidget>

class QFrame;

namespace quellor {

class Forms;
class PasswordStore;
class PlainButton;
class TextBox;

class Form9 : public QWidget {
    Q_OBJECT
public:
    Form9(Services& services, Forms& forms, PasswordStore& store);

    // Child controls, by their names.
    QFrame* Frame1 = nullptr;
    TextBox* Text4 = nullptr;        // caption "密码:"
    TextBox* Text1 = nullptr;        // the password
    TextBox* Text3 = nullptr;        // caption "再输入一次:"
    TextBox* Text2 = nullptr;        // the password again
    PlainButton* Command1 = nullptr; // "确定(&Y)"
    PlainButton* Command2 = nullptr; // "取消(&C)"
    PlainButton* Command3 = nullptr; // "@@@", decoration

    // Handlers, in the order the behaviour runs.
    void Form_Load();
    void Command1_Click();
    void Command2_Click();

    static QString mismatchText() { return tr("上下密码不一致?"); }
    static QString unwritableText(const QString& path);

private:
    void createControls();

    Services& m_services;
    Forms& m_forms;
    PasswordStore& m_store;
};

} // namespace quellor
