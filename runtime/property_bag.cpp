// SPDX-License-Identifier: MIT

#include "property_bag.h"

#include <QDataStream>
#include <QIODevice>

namespace quellor {

namespace {
constexpr quint32 kMagic = 0x51504231; // "QPB1"
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
    if (vantrel::isDefaultValue(value, defaultValue)) {
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
