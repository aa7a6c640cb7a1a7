// SPDX-License-Identifier: MIT

#include "form_writer.h"

#include <QMetaProperty>
#include <QWidget>

namespace vantrel::designer {

namespace {
// By class name, so that a frame from any build of the frame classes counts.
bool isFrame(const QObject* object) {
    return object->inherits("vantrel::Vantrel");
}
} // namespace

DomWidget* FormWriter::createDom(QWidget* widget, DomWidget* parent, bool recursive) {
    return QFormBuilder::createDom(widget, parent, recursive && !isFrame(widget));
}

QList<DomProperty*> FormWriter::computeProperties(QObject* object) {
    if (!isFrame(object)) {
        return QFormBuilder::computeProperties(object);
    }
    QList<DomProperty*> properties;
    const QMetaObject* meta = object->metaObject();
    for (int i = 0; i < meta->propertyCount(); ++i) {
        const QMetaProperty property = meta->property(i);
        // A property a subclass declares again is written once, where the subclass puts it.
        if (!property.isWritable() || meta->indexOfProperty(property.name()) != i) {
            continue;
        }
        if (DomProperty* p =
                createProperty(object, QString::fromUtf8(property.name()), property.read(object))) {
            properties.append(p);
        }
    }
    return properties;
}

} // namespace vantrel::designer
