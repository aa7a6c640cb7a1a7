// SPDX-License-Identifier: MIT

#include "system_menu.h"

#include <QKeyEvent>

namespace quellor {

SystemMenu::SystemMenu(QWidget* window) : QListWidget(window) {
    setObjectName(QStringLiteral("SystemMenu"));
    setAccessibleName(tr("系统菜单"));
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setSelectionMode(QAbstractItemView::SingleSelection);
    for (const char* text : {QT_TR_NOOP("还原(R)"), QT_TR_NOOP("移动(M)"), QT_TR_NOOP("大小(S)"),
                             QT_TR_NOOP("最小化(N)"), QT_TR_NOOP("最大化(X)")}) {
        auto* item = new QListWidgetItem(tr(text), this);
        item->setFlags(Qt::NoItemFlags);
    }
    // Its letter, C, chooses it in any language (see keyPressEvent).
    m_close = new QListWidgetItem(tr("关闭(C)    Alt+F4"), this);
    connect(this, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) {
        if (item == m_close) {
            choose();
        }
    });
    hide();
}

void SystemMenu::popUp(QPoint at) {
    const int frame = 2 * frameWidth();
    resize(sizeHintForColumn(0) + frame, sizeHintForRow(0) * count() + frame);
    const QSize room = parentWidget()->size() - size();
    move(std::clamp(at.x(), 0, std::max(0, room.width())), std::clamp(at.y(), 0, std::max(0, room.height())));
    if (!isVisible()) {
        m_returnFocus = parentWidget()->focusWidget();
    }
    setCurrentItem(m_close);
    show();
    raise();
    setFocus(Qt::PopupFocusReason);
}

void SystemMenu::dismiss() {
    if (!isVisible()) {
        return;
    }
    hide();
    if (m_returnFocus) {
        m_returnFocus->setFocus(Qt::PopupFocusReason);
    }
}

void SystemMenu::choose() {
    dismiss();
    Q_EMIT closeChosen();
}

void SystemMenu::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Escape:
        dismiss();
        break;
    case Qt::Key_C:
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
        // The close entry is the only one that can be chosen, and always the current one.
        choose();
        break;
    default:
        // Arrows and the greyed entries' letters lead nowhere else.
        break;
    }
    event->accept();
}

void SystemMenu::focusOutEvent(QFocusEvent* event) {
    QListWidget::focusOutEvent(event);
    // Clicking elsewhere in the program closes the menu, as it closes a menu anywhere.
    if (event->reason() != Qt::PopupFocusReason && event->reason() != Qt::ActiveWindowFocusReason) {
        hide();
    }
}

} // namespace quellor
