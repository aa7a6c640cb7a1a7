#include "controls.h"

#include <QAccessible>
#include <QFocusEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QScreen>

namespace quellor {

Twips screenTwips() {
    QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen) {
        return {};
    }
    return {twipsPerPixel(screen->logicalDotsPerInchX()), twipsPerPixel(screen->logicalDotsPerInchY())};
}

void placeTwips(QWidget* widget, double left, double top, double width, double height, const Twips& t) {
    widget->setGeometry(t.toPixelsX(left), t.toPixelsY(top), t.toPixelsX(width), t.toPixelsY(height));
}

QFont makeFont(const QString& family, double points, bool bold) {
    QFont font(family);
    // CJK fallbacks where the Windows faces are missing.
    font.setFamilies({family, QStringLiteral("WenQuanYi Zen Hei"), QStringLiteral("WenQuanYi Micro Hei"),
                      QStringLiteral("Noto Sans CJK SC")});
    font.setPointSizeF(points);
    font.setBold(bold);
    return font;
}

QColor colorFromRgb(int r, int g, int b) {
    return QColor(r, g, b);
}

void nameControl(QWidget* widget, const QString& objectName, const QString& accessibleName) {
    widget->setObjectName(objectName);
    widget->setAccessibleName(accessibleName);
}

PlainButton::PlainButton(const QString& name, const QString& caption, QWidget* parent)
    : QPushButton(caption, parent) {
    QString accessible = caption;
    accessible.remove(QLatin1Char('&'));
    nameControl(this, name, accessible);
    setAutoDefault(false);
}

void PlainButton::setTextColor(const QColor& color) {
    QPalette p = palette();
    p.setColor(QPalette::ButtonText, color);
    setPalette(p);
}

PictureButton::PictureButton(const QString& name, const QString& caption, QWidget* parent)
    : QToolButton(parent) {
    nameControl(this, name, caption);
    setText(caption);
    setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    setFocusPolicy(Qt::StrongFocus);
    setAutoRaise(false);
}

void PictureButton::setColors(const QColor& back, const QColor& text) {
    QPalette p = palette();
    p.setColor(QPalette::Button, back);
    p.setColor(QPalette::ButtonText, text);
    setPalette(p);
    setAutoFillBackground(true);
}

void PictureButton::focusOutEvent(QFocusEvent* event) {
    QToolButton::focusOutEvent(event);
    Q_EMIT lostFocus();
}

TextBox::TextBox(const QString& name, QWidget* parent) : QLineEdit(parent) {
    setObjectName(name);
}

void TextBox::focusInEvent(QFocusEvent* event) {
    QLineEdit::focusInEvent(event);
    Q_EMIT gotFocus();
}

void TextBox::focusOutEvent(QFocusEvent* event) {
    QLineEdit::focusOutEvent(event);
    Q_EMIT lostFocus();
}

void TextBox::keyPressEvent(QKeyEvent* event) {
    Q_EMIT keyDown(event->key());
    QLineEdit::keyPressEvent(event);
}

void TextBox::keyReleaseEvent(QKeyEvent* event) {
    QLineEdit::keyReleaseEvent(event);
    if (!event->isAutoRepeat()) {
        Q_EMIT keyUp(event->key());
    }
}

} // namespace quellor
