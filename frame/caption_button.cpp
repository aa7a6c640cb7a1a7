// SPDX-License-Identifier: MIT

#include "caption_button.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QTimer>

namespace vantrel {

bool cursorOutsideBox(QPoint client, double scaleWidth, double scaleHeight, const quellor::Twips& t) {
    const int right = quellor::intDiv(scaleWidth, t.x);
    const int bottom = quellor::intDiv(scaleHeight, t.y);
    return client.x() < 0 || client.y() < 0 || client.x() > right || client.y() > bottom;
}

CaptionButton::CaptionButton(QWidget* box, ImageElement* picture, QTimer* watch, int firstFace, Wiring wiring)
    : QObject(picture), m_box(box), m_picture(picture), m_watch(watch), m_firstFace(firstFace),
      m_wiring(std::move(wiring)) {
    m_watch->setInterval(10);
    m_watch->stop();
    m_picture->setMouseSink(this);
    connect(m_watch, &QTimer::timeout, this, &CaptionButton::tick);
}

void CaptionButton::setInnerSize(double width, double height) {
    m_scaleWidth = width;
    m_scaleHeight = height;
}

void CaptionButton::show(Face face) {
    m_face = face;
    m_picture->setPicture(m_wiring.face(m_firstFace + static_cast<int>(face)));
}

void CaptionButton::mouseMove(const MouseArgs& args) {
    m_watch->start();
    if (args.x < 0 || args.y < 0 || args.x > m_scaleWidth || args.y > m_scaleHeight) {
        return;
    }
    MouseArgs raised = args;
    m_wiring.raiseMouseMove(raised);
    // A handler of the event may have changed the button it was told about.
    show(raised.button == 1 ? Face::Pressed : Face::Hover);
}

void CaptionButton::mouseDown(const MouseArgs&) {
    show(Face::Pressed);
}

void CaptionButton::mouseUp(const MouseArgs&) {
    show(Face::Rest);
}

void CaptionButton::click() {
    m_wiring.action();
}

void CaptionButton::activate() {
    show(Face::Pressed);
    show(Face::Rest);
    click();
}

void CaptionButton::tick() {
    // A minimised or hidden window leaves no button under the cursor, wherever its place was.
    const bool gone = !m_box->isVisible() || m_box->window()->isMinimized();
    const QPoint client = m_box->mapFromGlobal(m_wiring.cursor());
    if (gone || cursorOutsideBox(client, m_scaleWidth, m_scaleHeight, m_wiring.twips())) {
        m_watch->stop();
        show(Face::Rest);
    }
}

namespace {

class CaptionButtonAccessible : public QAccessibleWidget {
public:
    explicit CaptionButtonAccessible(QWidget* face) : QAccessibleWidget(face, QAccessible::Button) {}

    QString text(QAccessible::Text t) const override {
        return t == QAccessible::Name ? widget()->toolTip() : QAccessibleWidget::text(t);
    }
    QStringList actionNames() const override { return {pressAction()}; }
    void doAction(const QString& name) override {
        if (name != pressAction()) {
            return;
        }
        if (auto* button = widget()->findChild<CaptionButton*>(QString(), Qt::FindDirectChildrenOnly)) {
            button->activate();
        }
    }
};

QAccessibleInterface* captionButtonFactory(const QString& className, QObject* object) {
    if (className == QLatin1String("vantrel::ImageElement") && object &&
        object->findChild<CaptionButton*>(QString(), Qt::FindDirectChildrenOnly)) {
        return new CaptionButtonAccessible(static_cast<QWidget*>(object));
    }
    return nullptr;
}

} // namespace

namespace {
int& accessibilityUsers() {
    static int count = 0;
    return count;
}
} // namespace

void installCaptionButtonAccessibility() {
    if (accessibilityUsers()++ == 0) {
        QAccessible::installFactory(captionButtonFactory);
    }
}

void removeCaptionButtonAccessibility() {
    if (accessibilityUsers() > 0 && --accessibilityUsers() == 0) {
        QAccessible::removeFactory(captionButtonFactory);
    }
}

} // namespace vantrel
