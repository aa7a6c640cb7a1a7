#pragma once
// SPDX-License-Identifier: MIT
// Keeps a widget from repainting while none of it lies on any screen, and repaints it as soon as
// some of it does again. The parked main window holds its clock field above the top edge of the
// screen, where the new text of every second was painted (and sent to the display) for nobody.

#include <QObject>
#include <QPointer>

class QWidget;

namespace quellor {

class PaintOnScreen : public QObject {
public:
    // Watches the widget's window; lives as long as the widget.
    explicit PaintOnScreen(QWidget* widget);

    static bool onAnyScreen(const QWidget* widget);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void follow();

    QPointer<QWidget> m_widget;
};

} // namespace quellor
