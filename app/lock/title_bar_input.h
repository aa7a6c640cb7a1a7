#pragma once
// SPDX-License-Identifier: MIT
// The lock's title bar while the lock holds the keyboard and the pointer. The window manager draws
// the bar, but under the lock's grabs its clicks and keys come to the lock instead, at positions
// above the client area: the lock recognises its close button and its system menu (the icon's
// click, a right click on the bar, Alt+Space) and acts on them itself.

#include <QMargins>
#include <QObject>
#include <QPoint>
#include <QSize>

#include <functional>

class QWidget;

namespace quellor {

class SystemMenu;

enum class TitleBarPart { None, Icon, Bar, CloseButton };

// The part of the title bar at `pos`, in the client area's coordinates (the bar lies above it, at
// negative y), for a decoration `frame` wide around a client of size `client`. The close button is
// the square at the bar's right end and the icon, which opens the system menu, the square at its
// left end: where the desktops we run on put them. A decoration with no bar above has no parts.
TitleBarPart titleBarPartAt(QPoint pos, QSize client, QMargins frame);

class TitleBarInput : public QObject {
    Q_OBJECT
public:
    explicit TitleBarInput(QWidget* window);

    SystemMenu* systemMenu() const { return m_menu; }
    // The decoration's widths around the client area; by default what the window system reports.
    void setFrameMarginsSource(std::function<QMargins()> source) { m_margins = std::move(source); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QMargins frameMargins() const;
    void clicked(TitleBarPart part, Qt::MouseButton button, QPoint at);

    QWidget* m_window;
    SystemMenu* m_menu;
    std::function<QMargins()> m_margins;
    TitleBarPart m_pressed = TitleBarPart::None;
    Qt::MouseButton m_pressButton = Qt::NoButton;
};

} // namespace quellor
