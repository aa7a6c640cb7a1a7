// SPDX-License-Identifier: MIT

#include "elements.h"

#include <QMouseEvent>
#include <QPainter>

namespace vantrel {

std::int16_t buttonMask(Qt::MouseButtons buttons) {
    std::int16_t mask = 0;
    if (buttons & Qt::LeftButton) {
        mask |= 1;
    }
    if (buttons & Qt::RightButton) {
        mask |= 2;
    }
    if (buttons & Qt::MiddleButton) {
        mask |= 4;
    }
    return mask;
}

std::int16_t shiftMask(Qt::KeyboardModifiers modifiers) {
    std::int16_t mask = 0;
    if (modifiers & Qt::ShiftModifier) {
        mask |= 1;
    }
    if (modifiers & Qt::ControlModifier) {
        mask |= 2;
    }
    if (modifiers & Qt::AltModifier) {
        mask |= 4;
    }
    return mask;
}

ImageElement::ImageElement(const QString& name, QWidget* parent) : QWidget(parent) {
    setObjectName(name);
    setAttribute(Qt::WA_NoMousePropagation);
    setAttribute(Qt::WA_NoSystemBackground);
}

void ImageElement::setPicture(const QPixmap& picture) {
    m_picture = picture;
    update();
}

void ImageElement::setTwipsPerPixel(double x, double y) {
    m_tppX = x;
    m_tppY = y;
}

void ImageElement::setMouseSink(MouseSink* sink) {
    m_sink = sink;
    setMouseTracking(sink != nullptr);
}

void ImageElement::paintEvent(QPaintEvent*) {
    if (m_picture.isNull()) {
        return;
    }
    QPainter p(this);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    p.drawPixmap(rect(), m_picture);
}

MouseArgs ImageElement::args(QMouseEvent* event, Qt::MouseButtons buttons) const {
    return {buttonMask(buttons), shiftMask(event->modifiers()),
            static_cast<float>(event->position().x() * m_tppX),
            static_cast<float>(event->position().y() * m_tppY)};
}

void ImageElement::mouseMoveEvent(QMouseEvent* event) {
    event->accept();
    if (m_sink) {
        m_sink->mouseMove(args(event, event->buttons()));
    }
}

void ImageElement::mousePressEvent(QMouseEvent* event) {
    event->accept();
    m_afterDoubleClick = false;
    if (m_sink) {
        m_sink->mouseDown(args(event, event->button()));
    }
}

void ImageElement::mouseDoubleClickEvent(QMouseEvent* event) {
    // The second press of a double click is no press, and its release no click: a double click
    // on a caption button acts once, as on the frame's own surface.
    event->accept();
    m_afterDoubleClick = true;
}

void ImageElement::mouseReleaseEvent(QMouseEvent* event) {
    event->accept();
    if (!m_sink) {
        return;
    }
    // The sink may close the host in click(); nothing of this element is touched after it.
    MouseSink* sink = m_sink;
    const bool clicked = event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()) &&
                         !m_afterDoubleClick;
    m_afterDoubleClick = false;
    sink->mouseUp(args(event, event->button()));
    if (clicked) {
        sink->click();
    }
}

} // namespace vantrel
