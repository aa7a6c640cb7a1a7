#pragma once
// SPDX-License-Identifier: MIT
// Qt Designer's property sheet for the frame: the designer's own sheet, with the two properties
// that have Chinese persistence names shown (and so stored in forms) under those names, and
// the frame's by-name mirrors of them hidden, which the designer would otherwise list under
// misread names.

#include "property_names.h"

#include <QExtensionFactory>
#include <QObject>
#include <QPointer>
#include <QtDesigner/QDesignerPropertySheetExtension>

namespace vantrel::designer {

class PropertySheet : public QObject, public QDesignerPropertySheetExtension {
    Q_OBJECT
    Q_INTERFACES(QDesignerPropertySheetExtension)

public:
    // inner is the designer's sheet for frame; sheetObject is the object that implements it.
    PropertySheet(QObject* frame, QObject* sheetObject, QDesignerPropertySheetExtension* inner,
                  QObject* parent);

    int count() const override;
    int indexOf(const QString& name) const override;
    QString propertyName(int index) const override;
    QString propertyGroup(int index) const override;
    void setPropertyGroup(int index, const QString& group) override;
    bool hasReset(int index) const override;
    bool reset(int index) override;
    bool isVisible(int index) const override;
    void setVisible(int index, bool visible) override;
    bool isAttribute(int index) const override;
    void setAttribute(int index, bool attribute) override;
    QVariant property(int index) const override;
    void setProperty(int index, const QVariant& value) override;
    bool isChanged(int index) const override;
    void setChanged(int index, bool changed) override;
    bool isEnabled(int index) const override;

private:
    // The inner sheet while it lives; the designer deletes it with the frame.
    QDesignerPropertySheetExtension* inner() const;
    bool isMirror(int index) const;

    PropertyNames m_names;
    int m_classPropertyCount;
    QPointer<QObject> m_sheetObject;
    QDesignerPropertySheetExtension* m_inner;
};

// Hands out the frame's sheet in place of the designer's own, which it asks the extension
// manager for and wraps. Register it after the designer's factories so that it is asked first.
class PropertySheetFactory : public QExtensionFactory {
    Q_OBJECT

public:
    explicit PropertySheetFactory(QExtensionManager* manager);

protected:
    QObject* createExtension(QObject* object, const QString& iid, QObject* parent) const override;

private:
    mutable bool m_findingInner = false;
};

} // namespace vantrel::designer
