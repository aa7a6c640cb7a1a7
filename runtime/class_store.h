#pragma once
// SPDX-License-Identifier: MIT
// The per-user class store of in-process libraries: which library file serves a class
// identifier, which class a ProgID names, and where a type library lives. On Windows this is
// the registry's class tree; here it is one small file under the user's data directory
// ($XDG_DATA_HOME/quellor/classes.ini), so a test points XDG_DATA_HOME at a scratch directory.

#include <QString>

#include <optional>

namespace quellor {

class ClassStore {
public:
    struct ClassEntry {
        QString clsid; // "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}"
        QString progId;
        QString libraryPath;
        QString description;
        QString typeLib;
        QString version;
        bool control = false;
    };

    struct TypeLibEntry {
        QString libid;
        QString version; // "10.0"
        QString locale;  // "0x0409"
        QString path;
        QString description;
    };

    // The store file of the current user.
    static QString defaultPath();

    explicit ClassStore(QString path = defaultPath());

    const QString& path() const { return m_path; }

    // Each returns false when the store cannot be written (read-only directory, full disk).
    bool addClass(const ClassEntry& entry);
    bool removeClass(const QString& clsid);
    bool addTypeLib(const TypeLibEntry& entry);
    bool removeTypeLib(const QString& libid);

    std::optional<QString> clsidFromProgId(const QString& progId) const;
    std::optional<ClassEntry> findClass(const QString& clsid) const;
    std::optional<TypeLibEntry> findTypeLib(const QString& libid) const;

private:
    QString m_path;
};

} // namespace quellor
