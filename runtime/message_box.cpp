// SPDX-License-Identifier: MIT

#include "message_box.h"

#include <QApplication>
#include <QCoreApplication>
#include <QFrame>
#include <QLabel>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>
#include <QWindow>

namespace quellor {

namespace {

bool hostsDialogsInside(QWidget* parent) {
    QWidget* top = parent ? parent->window() : nullptr;
    return top && top->windowHandle() && top->windowHandle()->property(kDialogsInsideProperty).toBool();
}

// While a box shown inside a window is open, input meant for anything else in the program is
// dropped and the keyboard focus kept in the box: the box is modal without being a window.
QWidget* firstButton(QMessageBox* box) {
    if (QPushButton* b = box->defaultButton()) {
        return b;
    }
    return box->buttons().value(0, nullptr);
}

class InsideBoxOnly : public QObject {
public:
    explicit InsideBoxOnly(QMessageBox* box) : m_box(box) { qApp->installEventFilter(this); }
    ~InsideBoxOnly() override { qApp->removeEventFilter(this); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        switch (event->type()) {
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
        case QEvent::ShortcutOverride:
        case QEvent::Shortcut:
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::Wheel:
            return !inBox(watched);
        case QEvent::FocusIn:
            if (!inBox(watched) && watched->isWidgetType()) {
                QTimer::singleShot(0, m_box, [box = m_box] {
                    if (QWidget* b = box ? firstButton(box) : nullptr) {
                        b->setFocus(Qt::OtherFocusReason);
                    }
                });
            }
            return false;
        default:
            return false;
        }
    }

private:
    bool inBox(QObject* o) const {
        // Windows (QWindow) pass events on to their widgets; judge the widget, not the window.
        if (!o->isWidgetType() && o->inherits("QWindow")) {
            return true;
        }
        for (; o; o = o->parent()) {
            if (o == m_box) {
                return true;
            }
        }
        return false;
    }
    QPointer<QMessageBox> m_box;
};

void execInside(QWidget* host, QMessageBox& box) {
    // A veil over the whole window under the box catches the pointer meant for what it covers.
    QWidget veil(host);
    veil.setObjectName(QStringLiteral("DialogVeil"));
    veil.setGeometry(host->rect());
    // A panel with the box's title above it, in the box's own colours, not those of the window it
    // stands in (every role set, or they would be inherited).
    QFrame panel(&veil);
    QPalette own = QApplication::palette(&box);
    own.setResolveMask(~QPalette::ResolveMask(0));
    panel.setPalette(own);
    panel.setAutoFillBackground(true);
    panel.setFrameShape(QFrame::Box);
    QLabel title(box.windowTitle(), &panel);
    title.setObjectName(QStringLiteral("DialogTitle"));
    QFont bold = title.font();
    bold.setBold(true);
    title.setFont(bold);
    QVBoxLayout layout(&panel);
    layout.addWidget(&title);
    box.setParent(&panel, Qt::Widget);
    layout.addWidget(&box);
    veil.show();
    veil.raise();
    panel.adjustSize();
    panel.move((veil.width() - panel.width()) / 2, (veil.height() - panel.height()) / 2);
    if (QWidget* ok = firstButton(&box)) {
        ok->setFocus(Qt::OtherFocusReason);
    }
    InsideBoxOnly only(&box);
    box.exec();
    // The box belongs to the caller, not to the panel that goes now.
    box.hide();
    layout.removeWidget(&box);
    box.setParent(nullptr);
}

} // namespace

void MessageBoxes::warning(QWidget* parent, const QString& text) {
    show(parent,
         {text, QCoreApplication::translate("quellor::MessageBoxes", "警告"), MessageIcon::Warning, false});
}

void MessageBoxes::information(QWidget* parent, const QString& text) {
    show(parent, {text, QCoreApplication::translate("quellor::MessageBoxes", "消息"),
                  MessageIcon::Information, false});
}

void QtMessageBoxes::show(QWidget* parent, const MessageRequest& request) {
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    switch (request.icon) {
    case MessageIcon::Information:
        icon = QMessageBox::Information;
        break;
    case MessageIcon::Warning:
        icon = QMessageBox::Warning;
        break;
    case MessageIcon::Critical:
        icon = QMessageBox::Critical;
        break;
    case MessageIcon::None:
        break;
    }
    QMessageBox box(icon, request.title, request.text, QMessageBox::Ok, parent);
    if (request.helpButton) {
        box.addButton(QMessageBox::Help);
    }
    if (hostsDialogsInside(parent)) {
        execInside(parent->window(), box);
        return;
    }
    box.setWindowFlag(Qt::WindowStaysOnTopHint, true);
    box.exec();
}

} // namespace quellor
