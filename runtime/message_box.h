#pragma once
// SPDX-License-Identifier: MIT
// Modal message boxes with the program's titles and icons. Behind an interface so that tests
// record what would have been shown instead of blocking on a modal loop.

#include <QString>

class QWidget;

namespace quellor {

enum class MessageIcon { Information, Warning, Critical, None };

struct MessageRequest {
    QString text;
    QString title;
    MessageIcon icon = MessageIcon::None;
    bool helpButton = false;
};

class MessageBoxes {
public:
    virtual ~MessageBoxes() = default;
    // Returns when the user has closed the box.
    virtual void show(QWidget* parent, const MessageRequest& request) = 0;

    // The two kinds the program uses, titled in the user's language.
    void warning(QWidget* parent, const QString& text);     // title "警告", warning icon
    void information(QWidget* parent, const QString& text); // title "消息", information icon
};

// A window above which no other window can appear (a Wayland lock surface or overlay cover)
// carries this dynamic property on its QWindow; its message boxes are shown inside it, and until
// they are closed the rest of the window takes no input, as if they were modal windows.
inline constexpr char kDialogsInsideProperty[] = "quellorDialogsInside";

class QtMessageBoxes : public MessageBoxes {
public:
    void show(QWidget* parent, const MessageRequest& request) override;
};

} // namespace quellor
