// SPDX-License-Identifier: MIT

#include "property_bag.h"

#include <QTest>

using namespace quellor;

class TestPropertyBag : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void propertyBagRules() {
        PropertyBag bag;
        bag.writeProperty(QStringLiteral("ForeColor"), 0, 0); // default: not stored
        bag.writeProperty(QStringLiteral("Caption"), QStringLiteral("A"), QStringLiteral("Lumacore1.0"));
        bag.writeProperty(QStringLiteral("Caption"), QStringLiteral("B"), QStringLiteral("Lumacore1.0"));
        bag.writeProperty(QStringLiteral("标题栏高度"), short(500), 500); // equal across types
        QVERIFY(!bag.contains(QStringLiteral("forecolor")));
        QCOMPARE(bag.entries().size(), 2);
        QCOMPARE(bag.entries().at(0).key, QStringLiteral("caption"));
        QCOMPARE(bag.readProperty(QStringLiteral("CAPTION"), QString()).toString(), QStringLiteral("A"));
        QCOMPARE(bag.readProperty(QStringLiteral("HangDown"), 2).toInt(), 2);

        const auto copy = PropertyBag::deserialize(bag.serialize());
        QVERIFY(copy.has_value());
        QCOMPARE(copy->entries().size(), 2);
        QCOMPARE(copy->readProperty(QStringLiteral("caption")).toString(), QStringLiteral("A"));
        QVERIFY(!PropertyBag::deserialize(QByteArray("garbage")).has_value());
        QVERIFY(!PropertyBag::deserialize(bag.serialize().left(9)).has_value());
    }
};

QTEST_GUILESS_MAIN(TestPropertyBag)
#include "test_property_bag.moc"
