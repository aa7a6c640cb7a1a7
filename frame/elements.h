#pragma once
// SPDX-License-Identifier: MIT
// The frame's lightweight child elements: a picture element that stretches its picture over its
// rectangle, and the mouse arguments the frame passes on.

#include <QPixmap>
#include <QWidget>

#include <cstdint>

namespace vantrel {

// Mouse arguments as the frame's events carry them: button and shift masks, twips.
struct MouseArgs {
    std::int16_t button = 0; // 1 left, 2 right, 4 middle
    std::int16_t shift = 0;  // 1 Shift, 2 Ctrl, 4 Alt
    float x = 0;
    float y = 0;
};

std::int16_t buttonMask(Qt::MouseButtons buttons);
std::int16_t shiftMask(Qt::KeyboardModifiers modifiers);

// Receives the mouse input of a picture element (the drag strip, the caption-button faces).
class MouseSink {
public:
    virtual void mouseMove(const MouseArgs& args) = 0;
    virtual void mouseDown(const MouseArgs& args) = 0;
    virtual void mouseUp(const MouseArgs& args) = 0;
    virtual void click() = 0;

protected:
    ~MouseSink() = default;
};

// A picture element. Without a picture it paints nothing and is see-through, yet it still
// takes the mouse: input on a piece of the frame never reaches the frame's own surface.
class ImageElement : public QWidget {
    Q_OBJECT
public:
    ImageElement(const QString& name, QWidget* parent);

    const QPixmap& picture() const { return m_picture; }
    void setPicture(const QPixmap& picture);

    // Twips per pixel of the element's coordinates, for the mouse arguments.
    void setTwipsPerPixel(double x, double y);
    void setMouseSink(MouseSink* sink);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    MouseArgs args(QMouseEvent* event, Qt::MouseButtons buttons) const;

    QPixmap m_picture;
    MouseSink* m_sink = nullptr;
    double m_tppX = 15;
    double m_tppY = 15;
    bool m_afterDoubleClick = false;
};

} // namespace vantrel
