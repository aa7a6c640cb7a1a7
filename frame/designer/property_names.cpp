// SPDX-License-Identifier: MIT

#include "property_names.h"

#include <QMetaClassInfo>
#include <QMetaObject>

namespace vantrel::designer {

namespace {
constexpr QLatin1StringView kNamePrefix("PropertyName:");
constexpr QLatin1StringView kDescriptionPrefix("Description:");
} // namespace

PropertyNames::PropertyNames(const QMetaObject& meta) {
    for (int i = 0; i < meta.classInfoCount(); ++i) {
        const QString key = QString::fromUtf8(meta.classInfo(i).name());
        const QString value = QString::fromUtf8(meta.classInfo(i).value());
        if (key.startsWith(kNamePrefix)) {
            m_renamed.append({key.mid(kNamePrefix.size()), value});
        }
    }
    for (int i = 0; i < meta.classInfoCount(); ++i) {
        const QString key = QString::fromUtf8(meta.classInfo(i).name());
        if (!key.startsWith(kDescriptionPrefix)) {
            continue;
        }
        const QString member = key.mid(kDescriptionPrefix.size());
        // Methods and events carry descriptions too; a designer describes properties only.
        if (meta.indexOfProperty(member.toUtf8().constData()) >= 0) {
            m_descriptions.append({shown(member), QString::fromUtf8(meta.classInfo(i).value())});
        }
    }
}

QString PropertyNames::shown(const QString& member) const {
    for (const auto& [ascii, persisted] : m_renamed) {
        if (ascii == member) {
            return persisted;
        }
    }
    return member;
}

QString PropertyNames::member(const QString& name) const {
    for (const auto& [ascii, persisted] : m_renamed) {
        if (persisted == name) {
            return ascii;
        }
    }
    return name;
}

bool PropertyNames::isMirror(const QString& name) const {
    for (const auto& entry : m_renamed) {
        if (name == entry.second || name == QString::fromLatin1(entry.second.toUtf8())) {
            return true;
        }
    }
    return false;
}

QList<QPair<QString, QString>> PropertyNames::descriptions() const {
    return m_descriptions;
}

} // namespace vantrel::designer
