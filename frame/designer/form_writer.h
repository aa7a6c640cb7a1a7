#pragma once
// SPDX-License-Identifier: MIT
// Saves forms that hold frames. A frame is saved as one widget: the plain form writer would
// also save every piece of the frame's inside as a widget of its own, which a loader then
// makes a second time inside the frame it has just created. And a frame's properties are
// written in the order its class declares them, which is the order they must be applied in.

#include <QFormBuilder>

namespace vantrel::designer {

class FormWriter : public QFormBuilder {
protected:
    using QFormBuilder::createDom;
    DomWidget* createDom(QWidget* widget, DomWidget* parent, bool recursive = true) override;
    QList<DomProperty*> computeProperties(QObject* object) override;
};

} // namespace vantrel::designer
