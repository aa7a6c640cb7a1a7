#pragma once
// SPDX-License-Identifier: MIT
// The frame's properties as a form designer names and describes them. The frame declares the
// persistence name of a property whose C++ name is an ASCII stand-in ("PropertyName:<member>")
// and the description of a member ("Description:<member>") as class info; this reads both.

#include <QList>
#include <QPair>
#include <QString>

struct QMetaObject;

namespace vantrel::designer {

class PropertyNames {
public:
    explicit PropertyNames(const QMetaObject& meta);

    // The name shown and stored for a member: "TitleBarHeight" gives "标题栏高度"; a member
    // without a persistence name keeps its own.
    QString shown(const QString& member) const;
    // The member behind a shown name or a member name; anything else comes back unchanged.
    QString member(const QString& name) const;
    // Whether name is a persistence name or the Latin-1 reading of its UTF-8 bytes: the names
    // under which a designer lists the frame's by-name mirrors of those properties.
    bool isMirror(const QString& name) const;
    // (shown name, description) of each property that carries a description, in class order.
    QList<QPair<QString, QString>> descriptions() const;

private:
    QList<QPair<QString, QString>> m_renamed; // (member, persistence name)
    QList<QPair<QString, QString>> m_descriptions;
};

} // namespace vantrel::designer
