#pragma once
// SPDX-License-Identifier: MIT
// One caption button (minimise or close): a box holding a face picture, its three faces, the
// watch timer that notices the cursor leaving, and the host action of a click.

#include "elements.h"
#include "units.h"

#include <QObject>
#include <QPoint>

#include <functional>

class QTimer;

namespace vantrel {

// Whether a cursor at client pixel (x, y) of a box with the given inner size in twips lies
// outside it. The box's last pixel column and row still count as inside.
bool cursorOutsideBox(QPoint client, double scaleWidth, double scaleHeight, const quellor::Twips& t);

// Face offsets within a button's three faces.
enum class Face { Rest = 0, Hover = 1, Pressed = 2 };

class CaptionButton : public QObject, public MouseSink {
    Q_OBJECT
public:
    struct Wiring {
        std::function<QPixmap(int index)> face;         // the face picture of the current style
        std::function<void(MouseArgs&)> raiseMouseMove; // the frame's MouseMove, by reference
        std::function<void()> action;                   // minimise or close the host
        std::function<QPoint()> cursor;                 // cursor position, screen pixels
        std::function<quellor::Twips()> twips;
    };

    // firstFace is 0 for minimise, 3 for close.
    CaptionButton(QWidget* box, ImageElement* picture, QTimer* watch, int firstFace, Wiring wiring);

    // The box's inner size in twips, as the layout made it.
    void setInnerSize(double width, double height);
    void show(Face face);
    Face face() const { return m_face; }
    QTimer* watch() const { return m_watch; }

    void mouseMove(const MouseArgs& args) override;
    void mouseDown(const MouseArgs& args) override;
    void mouseUp(const MouseArgs& args) override;
    void click() override;

    // A press from assistive technology: the faces of a press and release, then the click.
    void activate();

private:
    void tick();

    QWidget* m_box;
    ImageElement* m_picture;
    QTimer* m_watch;
    int m_firstFace;
    Wiring m_wiring;
    Face m_face = Face::Rest;
    double m_scaleWidth = 0;
    double m_scaleHeight = 0;
};

// Makes the caption-button faces accessible push buttons, named by their tool tips, whose press
// action clicks them. Each frame installs it while it lives; it goes with the last frame, so
// that Qt holds nothing of an unloaded library.
void installCaptionButtonAccessibility();
void removeCaptionButtonAccessibility();

} // namespace vantrel
