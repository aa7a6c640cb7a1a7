#include "message_box.h"

#include <QMessageBox>

namespace quellor {

void MessageBoxes::warning(QWidget* parent, const QString& text) {
    show(parent, {text, QStringLiteral("警告"), MessageIcon::Warning, false});
}

void MessageBoxes::information(QWidget* parent, const QString& text) {
    show(parent, {text, QStringLiteral("消息"), MessageIcon::Information, false});
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
    box.setWindowFlag(Qt::WindowStaysOnTopHint, true);
    box.exec();
}

} // namespace quellor
