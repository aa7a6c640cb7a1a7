// SPDX-License-Identifier: MIT
// The frame's property sheet in Qt Designer, over a stand-in for Designer's own sheet that lists
// properties the way Designer does: the class's properties by index, then the object's dynamic
// properties under their names read as Latin-1.

#include "form_vantrel.h"
#include "property_names.h"
#include "property_sheet.h"

#include <QExtensionManager>
#include <QLabel>
#include <QMetaProperty>
#include <QPointer>
#include <QTest>

#include <memory>

using vantrel::designer::PropertyNames;
using vantrel::designer::PropertySheet;
using vantrel::designer::PropertySheetFactory;

namespace {

class DesignerLikeSheet : public QObject, public QDesignerPropertySheetExtension {
    Q_OBJECT
    Q_INTERFACES(QDesignerPropertySheetExtension)

public:
    DesignerLikeSheet(QObject* object, QObject* parent) : QObject(parent), m_object(object) {
        for (const QByteArray& name : object->dynamicPropertyNames()) {
            m_dynamic << QString::fromLatin1(name);
        }
    }

    int count() const override { return metaCount() + int(m_dynamic.size()); }
    int indexOf(const QString& name) const override {
        const int meta = m_object->metaObject()->indexOfProperty(name.toUtf8().constData());
        if (meta >= 0) {
            return meta;
        }
        const int dynamic = int(m_dynamic.indexOf(name));
        return dynamic < 0 ? -1 : metaCount() + dynamic;
    }
    QString propertyName(int index) const override {
        return index < metaCount() ? QString::fromUtf8(m_object->metaObject()->property(index).name())
                                   : m_dynamic.value(index - metaCount());
    }
    QString propertyGroup(int) const override { return {}; }
    void setPropertyGroup(int, const QString&) override {}
    bool hasReset(int) const override { return false; }
    bool reset(int) override { return false; }
    bool isVisible(int) const override { return true; }
    void setVisible(int, bool) override {}
    bool isAttribute(int) const override { return false; }
    void setAttribute(int, bool) override {}
    QVariant property(int index) const override {
        return index < metaCount() ? m_object->metaObject()->property(index).read(m_object)
                                   : m_object->property(propertyName(index).toUtf8().constData());
    }
    void setProperty(int index, const QVariant& value) override {
        if (index < metaCount()) {
            m_object->metaObject()->property(index).write(m_object, value);
        } else {
            m_object->setProperty(propertyName(index).toUtf8().constData(), value);
        }
    }
    bool isChanged(int index) const override { return m_changed.contains(index); }
    void setChanged(int index, bool changed) override {
        changed ? void(m_changed.insert(index)) : void(m_changed.remove(index));
    }
    bool isEnabled(int) const override { return true; }

private:
    int metaCount() const { return m_object->metaObject()->propertyCount(); }

    QObject* m_object;
    QStringList m_dynamic;
    QSet<int> m_changed;
};

// Designer's own factory: a sheet for any object.
class DesignerLikeFactory : public QExtensionFactory {
public:
    using QExtensionFactory::QExtensionFactory;

protected:
    QObject* createExtension(QObject* object, const QString& iid, QObject* parent) const override {
        return iid == Q_TYPEID(QDesignerPropertySheetExtension) ? new DesignerLikeSheet(object, parent)
                                                                : nullptr;
    }
};

// The frame's sheet as Designer gets it: its own factory registered first, the frame's after.
struct Designer {
    QExtensionManager manager;
    Designer() {
        manager.registerExtensions(new DesignerLikeFactory(&manager),
                                   Q_TYPEID(QDesignerPropertySheetExtension));
        manager.registerExtensions(new PropertySheetFactory(&manager),
                                   Q_TYPEID(QDesignerPropertySheetExtension));
    }
    QDesignerPropertySheetExtension* sheet(QObject* object) {
        return qt_extension<QDesignerPropertySheetExtension*>(&manager, object);
    }
};

// What Designer's property editor lists: visible entries it finds again by their names.
QStringList listed(QDesignerPropertySheetExtension* sheet) {
    QStringList names;
    for (int i = 0; i < sheet->count(); ++i) {
        if (sheet->isVisible(i) && sheet->indexOf(sheet->propertyName(i)) == i) {
            names << sheet->propertyName(i);
        }
    }
    return names;
}

QString misread(const QString& name) {
    return QString::fromLatin1(name.toUtf8());
}

} // namespace

class TestDesignerSheet : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void namesFromTheFrameClass() {
        const PropertyNames names(::Vantrel::staticMetaObject);
        QCOMPARE(names.shown("TitleBarHeight"), QStringLiteral("标题栏高度"));
        QCOMPARE(names.shown("SilverStyle"), QStringLiteral("银白色风格"));
        QCOMPARE(names.shown("Caption"), QStringLiteral("Caption"));
        QCOMPARE(names.member(QStringLiteral("标题栏高度")), QStringLiteral("TitleBarHeight"));
        QCOMPARE(names.member("TitleBarHeight"), QStringLiteral("TitleBarHeight"));
        QVERIFY(names.isMirror(QStringLiteral("银白色风格")));
        QVERIFY(names.isMirror(misread(QStringLiteral("标题栏高度"))));
        QVERIFY(!names.isMirror("TitleBarHeight"));
        // Refresh is a method and Click an event: described, but not properties.
        QStringList described;
        for (const auto& entry : names.descriptions()) {
            described << entry.first;
        }
        QCOMPARE(described, (QStringList{"ForeColor", "Enabled", "FontSize", "BackColor"}));
    }

    void editorListsTheFrameUnderItsNames() {
        Designer designer;
        ::Vantrel frame;
        frame.setProperty("note", QStringLiteral("kept")); // a dynamic property of the user's
        auto* sheet = designer.sheet(&frame);
        QVERIFY(sheet);
        QVERIFY(qobject_cast<PropertySheet*>(
            designer.manager.extension(&frame, Q_TYPEID(QDesignerPropertySheetExtension))));

        const QStringList names = listed(sheet);
        const QStringList frameGroup = names.mid(names.indexOf("ForeColor"), 8);
        QCOMPARE(frameGroup, (QStringList{"ForeColor", "Enabled", QStringLiteral("标题栏高度"), "Icon",
                                          "Caption", "FontSize", QStringLiteral("银白色风格"), "BackColor"}));
        QVERIFY(names.contains("note"));
        QVERIFY(!names.contains("TitleBarHeight"));
        QVERIFY(!names.contains("SilverStyle"));
        QVERIFY(!names.contains(misread(QStringLiteral("标题栏高度"))));
        QVERIFY(!names.contains(misread(QStringLiteral("银白色风格"))));
        QCOMPARE(names.count(QStringLiteral("标题栏高度")), 1);
    }

    void editingThroughTheSheet_data() {
        QTest::addColumn<QString>("name"); // as the editor names it
        QTest::addColumn<QVariant>("value");
        QTest::addColumn<QByteArray>("member");
        QTest::addColumn<QVariant>("expected");

        QTest::newRow("bar height") << QStringLiteral("标题栏高度") << QVariant(420)
                                    << QByteArray("TitleBarHeight") << QVariant(420);
        QTest::newRow("bar height clamped") << QStringLiteral("标题栏高度") << QVariant(1000)
                                            << QByteArray("TitleBarHeight") << QVariant(550);
        QTest::newRow("bar height by member name") << QStringLiteral("TitleBarHeight") << QVariant(310)
                                                   << QByteArray("TitleBarHeight") << QVariant(310);
        QTest::newRow("green style") << QStringLiteral("银白色风格") << QVariant(false)
                                     << QByteArray("SilverStyle") << QVariant(false);
        QTest::newRow("font size") << QStringLiteral("FontSize") << QVariant(16.5) << QByteArray("FontSize")
                                   << QVariant(16.5);
    }

    void editingThroughTheSheet() {
        QFETCH(QString, name);
        QFETCH(QVariant, value);
        QFETCH(QByteArray, member);
        QFETCH(QVariant, expected);

        Designer designer;
        ::Vantrel frame;
        auto* sheet = designer.sheet(&frame);
        QVERIFY(sheet);
        const int index = sheet->indexOf(name);
        QVERIFY(index >= 0);
        sheet->setProperty(index, value);
        sheet->setChanged(index, true);
        QCOMPARE(frame.property(member.constData()), expected);
        QCOMPARE(sheet->property(index), expected);
        QVERIFY(sheet->isChanged(sheet->indexOf(QString::fromUtf8(member))));
        // The frame's by-name mirror follows.
        QCOMPARE(
            frame
                .property(
                    PropertyNames(*frame.metaObject()).shown(QString::fromUtf8(member)).toUtf8().constData())
                .toString(),
            expected.toString());
    }

    void otherWidgetsKeepDesignersSheet() {
        Designer designer;
        QLabel label;
        auto* sheet = designer.sheet(&label);
        QVERIFY(sheet);
        QVERIFY(qobject_cast<DesignerLikeSheet*>(
            designer.manager.extension(&label, Q_TYPEID(QDesignerPropertySheetExtension))));
    }

    void sheetOutlivesNeitherFrameNorDesignersSheet() {
        Designer designer;
        auto frame = std::make_unique<::Vantrel>();
        QPointer<QObject> sheet =
            designer.manager.extension(frame.get(), Q_TYPEID(QDesignerPropertySheetExtension));
        QVERIFY(sheet);
        // The same sheet each time Designer asks.
        QCOMPARE(designer.manager.extension(frame.get(), Q_TYPEID(QDesignerPropertySheetExtension)),
                 sheet.data());
        frame.reset();
        QTRY_VERIFY(sheet.isNull());
    }
};

QTEST_MAIN(TestDesignerSheet)
#include "test_designer_sheet.moc"
