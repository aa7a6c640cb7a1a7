#pragma once
// SPDX-License-Identifier: MIT
// The key/value store through which a container persists a control with its host form. The
// container implements it; the control reads and writes its properties through it.
//
// Rules a container keeps: a value equal to the default passed with the write is not stored; a
// missing key reads as the default passed with the read; keys match without regard to case; a
// key written twice is stored twice and a read returns the first entry.

#include <QByteArray>
#include <QString>
#include <QVariant>
#include <QVariantMap>

namespace vantrel {

class PropertyBag {
public:
    virtual QVariant readProperty(const QString& key, const QVariant& defaultValue = {}) const = 0;
    virtual void writeProperty(const QString& key, const QVariant& value,
                               const QVariant& defaultValue = {}) = 0;

protected:
    ~PropertyBag() = default;
};

// Whether a value equals the default it is written with: numbers compare by value across types,
// so 500 (int) equals 500 (short).
inline bool isDefaultValue(const QVariant& value, const QVariant& defaultValue) {
    if (!value.isValid() || !defaultValue.isValid()) {
        return value.isValid() == defaultValue.isValid();
    }
    auto numeric = [](const QVariant& v) {
        return v.canConvert<double>() && v.typeId() != QMetaType::QString &&
               v.typeId() != QMetaType::QByteArray;
    };
    return numeric(value) && numeric(defaultValue) ? value.toDouble() == defaultValue.toDouble()
                                                   : value == defaultValue;
}

// Picture values carry the picture's image data (for an icon, the icon file's bytes) tagged as
// a picture, so an empty picture differs from no picture at all (an invalid QVariant).
inline QVariant pictureValue(const QByteArray& imageData) {
    return QVariantMap{{QStringLiteral("picture"), imageData}};
}

inline bool isPicture(const QVariant& value) {
    if (value.typeId() != QMetaType::QVariantMap) {
        return false;
    }
    const QVariantMap map = value.toMap();
    return map.size() == 1 && map.contains(QStringLiteral("picture"));
}

inline QByteArray pictureData(const QVariant& value) {
    return isPicture(value) ? value.toMap().value(QStringLiteral("picture")).toByteArray() : QByteArray();
}

// A bag over a QVariantMap keyed by the stored names in lower case, for hosts that keep a
// control's settings as Qt values. A map keeps one value per key: the first write of a key wins,
// as the first stored entry is the one a read returns.
class VariantMapBag final : public PropertyBag {
public:
    VariantMapBag() = default;
    explicit VariantMapBag(QVariantMap values) : m_values(std::move(values)) {}

    QVariant readProperty(const QString& key, const QVariant& defaultValue = {}) const override {
        for (auto it = m_values.cbegin(); it != m_values.cend(); ++it) {
            if (it.key().compare(key, Qt::CaseInsensitive) == 0) {
                return it.value();
            }
        }
        return defaultValue;
    }
    void writeProperty(const QString& key, const QVariant& value,
                       const QVariant& defaultValue = {}) override {
        const QString stored = key.toLower();
        if (!m_written.contains(stored)) {
            m_written.append(stored);
            if (!isDefaultValue(value, defaultValue)) {
                m_values.insert(stored, value);
            }
        }
    }

    const QVariantMap& values() const { return m_values; }

private:
    QVariantMap m_values;
    QStringList m_written;
};

} // namespace vantrel
