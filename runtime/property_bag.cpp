#include "property_bag.h"

#include <QDataStream>
#include <QIODevice>

namespace quellor {

namespace {
constexpr quint32 kMagic = 0x51504231; // "QPB1"
const QString kPictureTag = QStringLiteral("picture");

// Defaults are compared by value across numeric types, so 500 (int) equals 500 (short).
bool sameValue(const QVariant& a, const QVariant& b) {
    if (!a.isValid() || !b.isValid()) {
        return a.isValid() == b.isValid();
    }
    const bool aNum =
        a.canConvert<double>() && a.typeId() != QMetaType::QString && a.typeId() != QMetaType::QByteArray;
    const bool bNum =
        b.canConvert<double>() && b.typeId() != QMetaType::QString && b.typeId() != QMetaType::QByteArray;
    if (aNum && bNum) {
        return a.toDouble() == b.toDouble();
    }
    return a == b;
}
} // namespace

QVariant PropertyBag::readProperty(const QString& key, const QVariant& defaultValue) const {
    for (const Entry& e : m_entries) {
        if (e.key.compare(key, Qt::CaseInsensitive) == 0) {
            return e.value;
        }
    }
    return defaultValue;
}

void PropertyBag::writeProperty(const QString& key, const QVariant& value, const QVariant& defaultValue) {
    if (sameValue(value, defaultValue)) {
        return;
    }
    append(key, value);
}

void PropertyBag::append(const QString& key, const QVariant& value) {
    m_entries.append({key.toLower(), value});
}

bool PropertyBag::contains(const QString& key) const {
    for (const Entry& e : m_entries) {
        if (e.key.compare(key, Qt::CaseInsensitive) == 0) {
            return true;
        }
    }
    return false;
}

QVariant PropertyBag::pictureValue(const QByteArray& imageData) {
    return QVariantMap{{kPictureTag, imageData}};
}

bool PropertyBag::isPicture(const QVariant& value) {
    if (value.typeId() != QMetaType::QVariantMap) {
        return false;
    }
    const QVariantMap map = value.toMap();
    return map.size() == 1 && map.contains(kPictureTag);
}

QByteArray PropertyBag::pictureData(const QVariant& value) {
    return isPicture(value) ? value.toMap().value(kPictureTag).toByteArray() : QByteArray();
}

QByteArray PropertyBag::serialize() const {
    QByteArray out;
    QDataStream s(&out, QIODevice::WriteOnly);
    s.setVersion(QDataStream::Qt_6_4);
    s << kMagic << static_cast<quint32>(m_entries.size());
    for (const Entry& e : m_entries) {
        s << e.key << e.value;
    }
    return out;
}

std::optional<PropertyBag> PropertyBag::deserialize(const QByteArray& data) {
    QDataStream s(data);
    s.setVersion(QDataStream::Qt_6_4);
    quint32 magic = 0;
    quint32 count = 0;
    s >> magic >> count;
    if (s.status() != QDataStream::Ok || magic != kMagic || count > 100000) {
        return std::nullopt;
    }
    PropertyBag bag;
    for (quint32 i = 0; i < count; ++i) {
        Entry e;
        s >> e.key >> e.value;
        if (s.status() != QDataStream::Ok) {
            return std::nullopt;
        }
        bag.m_entries.append(e);
    }
    return bag;
}

} // namespace quellor
