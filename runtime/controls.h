#pragma once
// SPDX-License-Identifier: MIT
// The standard and outside controls as the windows use them: each raises the events the
// windows handle (click, got/lost focus, key down/up) as signals, and is placed in twips.

#include "units.h"

#include <QColor>
#include <QFont>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>

namespace quellor {

// Screen twips-per-pixel factors of the primary screen.
Twips screenTwips();

// Places a widget at a rectangle given in twips within its parent.
void placeTwips(QWidget* widget, double left, double top, double width, double height, const Twips& t);

QFont makeFont(const QString& family, double points, bool bold);
QColor colorFromRgb(int r, int g, int b);

// Sets the accessible name and the object name in one go; every control has both.
void nameControl(QWidget* widget, const QString& objectName, const QString& accessibleName);

// The width a one-line text box needs to show `text` whole, without scrolling it.
int textBoxWidthFor(const QLineEdit* box, const QString& text);

// A password field: each character shown as "*", whatever the style's own mask character.
void showAsStars(QLineEdit* field);

// Got and lost focus follow which control is its window's active one, as on Windows: switching
// windows raises neither, yet a focus given while the window was inactive is reported when the
// window is activated, and the control it left is told first that it lost it.
class FocusReporting {
public:
    virtual ~FocusReporting() = default;

protected:
    void focusArrived(QWidget* self);
    void focusLeft(QWidget* self, const QFocusEvent* event);
    virtual void reportGotFocus() {}
    virtual void reportLostFocus() {}

private:
    friend class ActiveControl;
};

// The plain outside button: caption, font, font colour, tooltip; click and enabled state.
class PlainButton : public QPushButton {
    Q_OBJECT
public:
    PlainButton(const QString& name, const QString& caption, QWidget* parent);
    void setTextColor(const QColor& color);
};

// The picture button: a picture beside its caption; click, lost focus and enabled state.
class PictureButton : public QToolButton, public FocusReporting {
    Q_OBJECT
public:
    PictureButton(const QString& name, const QString& caption, QWidget* parent);
    void setColors(const QColor& back, const QColor& text);

Q_SIGNALS:
    void lostFocus();

protected:
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void reportLostFocus() override { Q_EMIT lostFocus(); }
};

// The text box with the events the windows handle.
class TextBox : public QLineEdit, public FocusReporting {
    Q_OBJECT
public:
    TextBox(const QString& name, QWidget* parent);

    // Refuses every character but digits; pasted or dropped text keeps only its digits.
    void setDigitsOnly(bool on);
    // Text the program itself puts in (a completed "hh:mm:ss"); the filter above is only for
    // what the user enters, and would otherwise strip the colons again.
    void setProgramText(const QString& text);

Q_SIGNALS:
    // The field becoming, or ceasing to be, its window's active control (see FocusReporting).
    void gotFocus();
    void lostFocus();
    void keyDown(int key);
    void keyUp(int key);
    // Text changed by the mouse (paste from a menu, middle-click, drop) rather than a key.
    void textInserted();

protected:
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void reportGotFocus() override { Q_EMIT gotFocus(); }
    void reportLostFocus() override { Q_EMIT lostFocus(); }

private:
    bool m_inKey = false;
    bool m_programText = false;
};

} // namespace quellor
