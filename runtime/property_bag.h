#pragma once
// SPDX-License-Identifier: MIT
// The key/value store through which a control container persists a control's properties with
// its host window. A value equal to the default passed with the write is not stored; a missing
// key reads as the default passed with the read; keys match without regard to case; a key
// written twice is stored twice and a read returns the first entry.

#include "vantrel/property_bag.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QVariant>

#include <optional>

namespace quellor {

class PropertyBag final : public vantrel::PropertyBag {
public:
    struct Entry {
        QString key; // stored in lower case
        QVariant value;
    };

    QVariant readProperty(const QString& key, const QVariant& defaultValue = {}) const override;
    void writeProperty(const QString& key, const QVariant& value, const QVariant& defaultValue = {}) override;

    // Adds an entry regardless of its default (the container's own entries, e.g. "_extentx").
    void append(const QString& key, const QVariant& value);

    const QList<Entry>& entries() const { return m_entries; }
    bool contains(const QString& key) const;
    void clear() { m_entries.clear(); }

    // Picture values: the image data of a picture (for an icon, the icon file's bytes) tagged as a
    // picture, so an empty picture is told apart from no picture at all (an invalid QVariant).
    static QVariant pictureValue(const QByteArray& imageData) { return vantrel::pictureValue(imageData); }
    static bool isPicture(const QVariant& value) { return vantrel::isPicture(value); }
    static QByteArray pictureData(const QVariant& value) { return vantrel::pictureData(value); }

    // Stable binary form for stored layouts.
    QByteArray serialize() const;
    static std::optional<PropertyBag> deserialize(const QByteArray& data);

private:
    QList<Entry> m_entries;
};

} // namespace quellor
