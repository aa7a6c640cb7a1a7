#pragma once
// SPDX-License-Identifier: MIT
// Dragging the host by the title bar: the drag strip remembers where the mouse last moved over
// it, a press starts a 1 ms timer that moves the host under the cursor, the release stops it.

#include "elements.h"
#include "units.h"

#include <QObject>
#include <QPoint>

#include <functional>
#include <optional>

class QTimer;

namespace vantrel {

struct HostPosition {
    double left = 0; // twips, screen coordinates of the host's outer corner
    double top = 0;
};

// Where the host goes for a cursor at screen pixel `cursor`, given the grab offsets taken at the
// press, the width of the title bar's left end (the strip starts that far right of the frame) and
// where the frame lies from the host's outer corner, in pixels: nested in the host's widgets, or
// below a window manager's title bar. Zero for a frame at the origin of a borderless host.
HostPosition dragTarget(QPoint cursor, const quellor::Twips& t, double downX, std::int16_t downY,
                        double leftEndWidth, QPoint frameOffset = {});

class DragController : public QObject, public MouseSink {
    Q_OBJECT
public:
    struct Wiring {
        std::function<QPoint()> cursor; // cursor position, screen pixels
        std::function<quellor::Twips()> twips;
        std::function<double()> leftEndWidth; // Image1's width, twips
        std::function<QPoint()> frameOffset;  // the frame from the host's outer corner, pixels
        std::function<void(const HostPosition&)> moveHost;
    };

    DragController(ImageElement* mover, QTimer* timer, Wiring wiring);

    bool dragging() const;
    QPoint cursorPos() const { return m_cursorPos; }

    void mouseMove(const MouseArgs& args) override;
    void mouseDown(const MouseArgs& args) override;
    void mouseUp(const MouseArgs& args) override;
    void click() override {}

private:
    void tick();

    ImageElement* m_mover;
    QTimer* m_timer;
    Wiring m_wiring;
    QPoint m_cursorPos;
    // Empty until the mouse first moves over the strip; empty counts as 0.
    std::optional<float> m_moverX;
    std::optional<float> m_moverY;
    std::optional<float> m_downX;
    std::int16_t m_downY = 0;
};

} // namespace vantrel
