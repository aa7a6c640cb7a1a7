// SPDX-License-Identifier: MIT

#include "drag.h"

#include <QTimer>

namespace vantrel {

HostPosition dragTarget(QPoint cursor, const quellor::Twips& t, double downX, std::int16_t downY,
                        double leftEndWidth, QPoint frameOffset) {
    return {static_cast<double>(cursor.x()) * t.x - downX - leftEndWidth - frameOffset.x() * t.x,
            static_cast<double>(cursor.y()) * t.y - downY - frameOffset.y() * t.y};
}

DragController::DragController(ImageElement* mover, QTimer* timer, Wiring wiring)
    : QObject(mover), m_mover(mover), m_timer(timer), m_wiring(std::move(wiring)) {
    m_timer->setInterval(1);
    m_timer->stop();
    m_mover->setMouseSink(this);
    connect(m_timer, &QTimer::timeout, this, &DragController::tick);
}

bool DragController::dragging() const {
    return m_timer->isActive();
}

void DragController::mouseMove(const MouseArgs& args) {
    m_moverX = args.x;
    m_moverY = args.y;
}

void DragController::mouseDown(const MouseArgs&) {
    m_downX = m_moverX;
    m_downY = quellor::toInt16(m_moverY.value_or(0.0f));
    m_mover->setCursor(Qt::SizeAllCursor);
    // Capture the mouse so the release comes back here wherever the cursor is by then.
    m_mover->grabMouse();
    m_timer->start();
}

void DragController::mouseUp(const MouseArgs&) {
    m_timer->stop();
    m_mover->releaseMouse();
    m_mover->unsetCursor();
}

void DragController::tick() {
    m_cursorPos = m_wiring.cursor();
    m_wiring.moveHost(dragTarget(m_cursorPos, m_wiring.twips(), m_downX.value_or(0.0f), m_downY,
                                 m_wiring.leftEndWidth(), m_wiring.frameOffset()));
}

} // namespace vantrel
