// SPDX-License-Identifier: MIT

#include "host_link.h"

#include <QMetaObject>
#include <QMetaProperty>
#include <QWidget>

namespace vantrel {

void moveHost(QWidget* host, double left, double top, const quellor::Twips& t) {
    if (!host) {
        return;
    }
    if (host->metaObject()->indexOfMethod("Move(double,double)") >= 0) {
        QMetaObject::invokeMethod(host, "Move", Qt::DirectConnection, Q_ARG(double, left),
                                  Q_ARG(double, top));
        return;
    }
    host->move(t.toPixelsX(left), t.toPixelsY(top));
}

void minimiseHost(QWidget* host) {
    if (!host || !host->isWindow()) {
        return;
    }
    const int index = host->metaObject()->indexOfProperty("WindowState");
    if (index >= 0 && host->metaObject()->property(index).isWritable()) {
        host->setProperty("WindowState", 1);
        return;
    }
    QMetaObject::invokeMethod(host, "showMinimized", Qt::DirectConnection);
}

void unloadHost(QWidget* host) {
    if (!host || !host->isWindow()) {
        return;
    }
    QMetaObject::invokeMethod(host, "close", Qt::QueuedConnection);
}

} // namespace vantrel
