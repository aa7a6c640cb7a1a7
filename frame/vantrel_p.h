#pragma once
// SPDX-License-Identifier: MIT
// The frame's state and pieces behind its public class, and the seams the library's own tests
// reach through: where the cursor is, how many twips make a pixel, and the layout in twips.

#include "caption_button.h"
#include "drag.h"
#include "elements.h"
#include "layout.h"
#include "picture.h"
#include "units.h"
#include "vantrel/vantrel.h"

#include <array>
#include <functional>

class QLabel;
class QTimer;

namespace vantrel {

class VantrelPrivate {
public:
    explicit VantrelPrivate(Vantrel* q);

    static VantrelPrivate* get(Vantrel* frame) { return frame->d.get(); }
    static const VantrelPrivate* get(const Vantrel* frame) { return frame->d.get(); }

    // The layout in twips as the notifications last left it.
    const FrameLayout& layoutTwips() const { return layout; }
    // Stored only: the host sees the visible caption through Caption.
    const QString& storedCaption() const { return caption; }
    PictureRef iconPicture() const { return icon; }
    // The icon with its image data (e.g. icon file bytes), kept for persistence.
    void setIconPicture(PictureRef picture);

    void setCursorSource(std::function<QPoint()> source);
    void setTwipsSource(std::function<quellor::Twips()> source);
    quellor::Twips twips() const;

    // The notifications the frame's layout runs from.
    void initialize();
    void resize();
    void show();
    void applyStyle(bool silver);

    // The window that contains the frame: the one it drags, minimises and closes.
    QWidget* host() const;
    // Where the frame lies from the host's outer corner, in pixels.
    QPoint frameOffset() const;

    // Snapshot of the public properties, to tell which of them a step changed.
    struct Values {
        qint32 foreColor;
        bool enabled;
        qint16 titleBarHeight;
        const Picture* icon;
        QString caption;
        float fontSize;
        quint32 backColor;
        bool silverStyle;
    };
    Values values() const;
    void notifyChanges(const Values& before);

    void createElements();
    void applyFontSize(float size);
    // Labels size themselves to their one line of text.
    void fitLabels();
    // Shows the twips layout in pixels, growing the frame itself when the minimum size asks.
    void applyLayout();
    void mirrorNamedProperties();
    MouseArgs surfaceArgs(QMouseEvent* event, Qt::MouseButtons buttons) const;
    void raiseMouse(void (Vantrel::*signal)(short&, short&, float&, float&), const MouseArgs& args);

    Vantrel* q;

    // Frame state behind the public properties; the drag state lives in the drag strip's
    // controller.
    bool silverStyle = true;
    QString caption;
    float fontSize = 12;
    PictureRef icon;
    qint32 foreColor = 0;
    bool enabled = false;
    qint16 titleBarHeight = 500;
    quint32 backColor = 0;
    FrameLayout layout;

    // The pieces, named after the elements they are.
    std::array<ImageElement*, 9> image{};
    ImageElement* ico = nullptr;
    std::array<QLabel*, 2> label1{};
    ImageElement* mover = nullptr;
    QWidget* minb = nullptr;
    QWidget* closeb = nullptr;
    ImageElement* sminb = nullptr;
    ImageElement* scloseb = nullptr;
    std::array<ImageElement*, 6> tops{};
    std::array<ImageElement*, 6> top1{};
    std::array<ImageElement*, 9> white{};
    std::array<ImageElement*, 9> green{};
    QTimer* timer1 = nullptr;
    QTimer* timer2 = nullptr;
    QTimer* timer3 = nullptr;
    DragController* drag = nullptr;
    CaptionButton* minButton = nullptr;
    CaptionButton* closeButton = nullptr;

    std::function<QPoint()> cursor;
    std::function<quellor::Twips()> twipsSource;
    bool applyingOwnSize = false;
    bool mirroring = false;
    bool afterDoubleClick = false;
};

} // namespace vantrel
