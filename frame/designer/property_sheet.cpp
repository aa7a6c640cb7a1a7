// SPDX-License-Identifier: MIT

#include "property_sheet.h"

#include "form_vantrel.h"

#include <QExtensionManager>
#include <QMetaObject>
#include <QVariant>

namespace vantrel::designer {

PropertySheet::PropertySheet(QObject* frame, QObject* sheetObject, QDesignerPropertySheetExtension* inner,
                             QObject* parent)
    : QObject(parent), m_names(*frame->metaObject()),
      m_classPropertyCount(frame->metaObject()->propertyCount()), m_sheetObject(sheetObject), m_inner(inner) {
    connect(frame, &QObject::destroyed, this, &QObject::deleteLater);
}

QDesignerPropertySheetExtension* PropertySheet::inner() const {
    return m_sheetObject ? m_inner : nullptr;
}

bool PropertySheet::isMirror(int index) const {
    // Designer-added entries (dynamic and fake properties) follow the class's own.
    return index >= m_classPropertyCount && m_names.isMirror(inner()->propertyName(index));
}

int PropertySheet::count() const {
    return inner() ? inner()->count() : 0;
}

int PropertySheet::indexOf(const QString& name) const {
    return inner() ? inner()->indexOf(m_names.member(name)) : -1;
}

QString PropertySheet::propertyName(int index) const {
    if (!inner()) {
        return {};
    }
    const QString name = inner()->propertyName(index);
    // Only the entry the designer edits takes the persistence name; a base class's entry of the
    // same member stays as it is and so stays out of the editor.
    if (index < m_classPropertyCount && inner()->indexOf(name) == index) {
        return m_names.shown(name);
    }
    return name;
}

QString PropertySheet::propertyGroup(int index) const {
    return inner() ? inner()->propertyGroup(index) : QString();
}

void PropertySheet::setPropertyGroup(int index, const QString& group) {
    if (inner()) {
        inner()->setPropertyGroup(index, group);
    }
}

bool PropertySheet::hasReset(int index) const {
    return inner() && inner()->hasReset(index);
}

bool PropertySheet::reset(int index) {
    return inner() && inner()->reset(index);
}

bool PropertySheet::isVisible(int index) const {
    return inner() && !isMirror(index) && inner()->isVisible(index);
}

void PropertySheet::setVisible(int index, bool visible) {
    if (inner()) {
        inner()->setVisible(index, visible);
    }
}

bool PropertySheet::isAttribute(int index) const {
    return inner() && inner()->isAttribute(index);
}

void PropertySheet::setAttribute(int index, bool attribute) {
    if (inner()) {
        inner()->setAttribute(index, attribute);
    }
}

QVariant PropertySheet::property(int index) const {
    return inner() ? inner()->property(index) : QVariant();
}

void PropertySheet::setProperty(int index, const QVariant& value) {
    if (inner()) {
        inner()->setProperty(index, value);
    }
}

bool PropertySheet::isChanged(int index) const {
    return inner() && inner()->isChanged(index);
}

void PropertySheet::setChanged(int index, bool changed) {
    if (inner()) {
        inner()->setChanged(index, changed);
    }
}

bool PropertySheet::isEnabled(int index) const {
    return inner() && inner()->isEnabled(index);
}

PropertySheetFactory::PropertySheetFactory(QExtensionManager* manager) : QExtensionFactory(manager) {}

QObject* PropertySheetFactory::createExtension(QObject* object, const QString& iid, QObject* parent) const {
    if (m_findingInner || iid != Q_TYPEID(QDesignerPropertySheetExtension) ||
        !qobject_cast<::Vantrel*>(object)) {
        return nullptr;
    }
    // Asked again from inside this lookup, the factory declines, so the manager goes on to the
    // designer's own factory.
    m_findingInner = true;
    QObject* sheetObject = extensionManager()->extension(object, iid);
    m_findingInner = false;
    auto* inner = qobject_cast<QDesignerPropertySheetExtension*>(sheetObject);
    if (!inner) {
        return nullptr;
    }
    return new PropertySheet(object, sheetObject, inner, parent);
}

} // namespace vantrel::designer
