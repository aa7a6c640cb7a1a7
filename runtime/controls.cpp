// SPDX-License-Identifier: MIT

#include "controls.h"

#include <QAccessible>
#include <QFocusEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QPointer>
#include <QScreen>
#include <QStyle>
#include <QStyleOptionFrame>
#include <QValidator>
#include <QtMath>

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
    // The face by its Windows name alone: the program's face substitutions (font_faces.h) pick the
    // installed face for it. A list of families here would be tried before those.
    QFont font(family);
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

namespace {
bool movesBetweenControls(const QFocusEvent* event) {
    return event->reason() != Qt::ActiveWindowFocusReason && event->reason() != Qt::PopupFocusReason;
}
} // namespace

// The window's record of its active control lives on the window, so it goes with it.
class ActiveControl {
public:
    explicit ActiveControl(QWidget* control) : m_window(control->window()) {}

    void take(QWidget* control, FocusReporting* reporting) {
        QWidget* left = current();
        if (left == control) {
            return; // the window coming back to the control that had its focus
        }
        set(control);
        if (auto* leftReporting = dynamic_cast<FocusReporting*>(left)) {
            leftReporting->reportLostFocus();
        }
        reporting->reportGotFocus();
    }

    void release(QWidget* control, FocusReporting* reporting) {
        if (current() == control) {
            set(nullptr);
            reporting->reportLostFocus();
        }
    }

private:
    static constexpr const char* kProperty = "quellorActiveControl";
    QWidget* current() const { return m_window->property(kProperty).value<QPointer<QWidget>>().data(); }
    void set(QWidget* control) {
        m_window->setProperty(kProperty, QVariant::fromValue(QPointer<QWidget>(control)));
    }
    QWidget* m_window;
};

void FocusReporting::focusArrived(QWidget* self) {
    ActiveControl(self).take(self, this);
}

void FocusReporting::focusLeft(QWidget* self, const QFocusEvent* event) {
    if (movesBetweenControls(event)) {
        ActiveControl(self).release(self, this);
    }
}

int textBoxWidthFor(const QLineEdit* box, const QString& text) {
    // As the box lays its line out: the style's frame, the text margins, two pixels a side and
    // one for the cursor.
    constexpr int kSideMargin = 2;
    QStyleOptionFrame option;
    option.initFrom(box);
    option.rect = QRect(QPoint(0, 0), box->size());
    option.lineWidth =
        box->hasFrame() ? box->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, box) : 0;
    const QRect contents = box->style()->subElementRect(QStyle::SE_LineEditContents, &option, box);
    const QMargins margins = box->textMargins();
    const int chrome =
        option.rect.width() - contents.width() + margins.left() + margins.right() + 2 * kSideMargin;
    return qCeil(QFontMetricsF(box->font()).horizontalAdvance(text)) + 1 + chrome;
}

void showAsStars(QLineEdit* field) {
    field->setEchoMode(QLineEdit::Password);
    field->setStyleSheet(QStringLiteral("lineedit-password-character: 42"));
}

PlainButton::PlainButton(const QString& name, const QString& caption, QWidget* parent)
    : QPushButton(caption, parent) {
    QString accessible = caption;
    accessible.remove(QLatin1Char('&'));
    nameControl(this, name, accessible);
    setAutoDefault(false);
}

namespace {
// Colours for the enabled looks only, so a disabled control still greys out.
void setEnabledColor(QWidget* w, QPalette::ColorRole role, const QColor& color) {
    QPalette p = w->palette();
    p.setColor(QPalette::Active, role, color);
    p.setColor(QPalette::Inactive, role, color);
    w->setPalette(p);
}
} // namespace

void PlainButton::setTextColor(const QColor& color) {
    setEnabledColor(this, QPalette::ButtonText, color);
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
    setPalette(p);
    setEnabledColor(this, QPalette::ButtonText, text);
    setAutoFillBackground(true);
}

void PictureButton::focusInEvent(QFocusEvent* event) {
    QToolButton::focusInEvent(event);
    focusArrived(this);
}

void PictureButton::focusOutEvent(QFocusEvent* event) {
    QToolButton::focusOutEvent(event);
    focusLeft(this, event);
}

namespace {

class DigitsValidator : public QValidator {
public:
    DigitsValidator(const bool& bypass, QObject* parent) : QValidator(parent), m_bypass(bypass) {}
    State validate(QString& input, int& pos) const override {
        if (m_bypass) {
            return Acceptable;
        }
        QString digits;
        int newPos = 0;
        for (int i = 0; i < input.size(); ++i) {
            if (input.at(i).isDigit() && input.at(i).unicode() < 128) {
                digits.append(input.at(i));
                if (i < pos) {
                    ++newPos;
                }
            }
        }
        input = digits;
        pos = newPos;
        return Acceptable;
    }

private:
    const bool& m_bypass;
};

} // namespace

TextBox::TextBox(const QString& name, QWidget* parent) : QLineEdit(parent) {
    setObjectName(name);
    connect(this, &QLineEdit::textEdited, this, [this] {
        if (!m_inKey) {
            Q_EMIT textInserted();
        }
    });
}

void TextBox::setDigitsOnly(bool on) {
    setValidator(on ? new DigitsValidator(m_programText, this) : nullptr);
}

void TextBox::setProgramText(const QString& text) {
    m_programText = true;
    setText(text);
    m_programText = false;
}

void TextBox::focusInEvent(QFocusEvent* event) {
    QLineEdit::focusInEvent(event);
    focusArrived(this);
}

void TextBox::focusOutEvent(QFocusEvent* event) {
    QLineEdit::focusOutEvent(event);
    focusLeft(this, event);
}

void TextBox::keyPressEvent(QKeyEvent* event) {
    Q_EMIT keyDown(event->key());
    m_inKey = true;
    QLineEdit::keyPressEvent(event);
    m_inKey = false;
}

void TextBox::keyReleaseEvent(QKeyEvent* event) {
    QLineEdit::keyReleaseEvent(event);
    if (!event->isAutoRepeat()) {
        Q_EMIT keyUp(event->key());
    }
}

} // namespace quellor
