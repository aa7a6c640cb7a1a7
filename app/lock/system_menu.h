#pragma once
// SPDX-License-Identifier: MIT
// The lock's system menu, drawn inside the lock itself: while the lock holds the keyboard and the
// pointer the window manager cannot show its own, and a popup window of the program's would take
// those grabs from the lock. Closing is the one command on offer; the others stand greyed, as on a
// maximised window with neither a minimise nor a maximise button.

#include <QListWidget>
#include <QPointer>

namespace quellor {

class SystemMenu : public QListWidget {
    Q_OBJECT
public:
    explicit SystemMenu(QWidget* window);

    // Shows the menu with its top-left corner at `at` (the window's coordinates), kept inside the
    // window, with the keyboard on its close entry.
    void popUp(QPoint at);
    // Hides it and gives the keyboard back to whoever had it.
    void dismiss();

Q_SIGNALS:
    void closeChosen();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void choose();

    QListWidgetItem* m_close = nullptr;
    QPointer<QWidget> m_returnFocus;
};

} // namespace quellor
