// SPDX-License-Identifier: MIT

#include "class_store.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>

namespace quellor {

namespace {
// Identifiers are kept upper case so lookups do not depend on how a caller spells them.
QString norm(const QString& id) {
    return id.trimmed().toUpper();
}

QString classGroup(const QString& clsid) {
    return QStringLiteral("CLSID/") + norm(clsid);
}

QString progIdGroup(const QString& progId) {
    return QStringLiteral("ProgID/") + progId.trimmed().toLower();
}

QString typeLibGroup(const QString& libid) {
    return QStringLiteral("TypeLib/") + norm(libid);
}

// The store lies in a folder the user fills. Anything there but a regular file of a sensible size
// (a FIFO would hold up every start, a device give bytes for ever) counts as no store at all.
constexpr qint64 kLargestStore = 1024 * 1024;
bool usable(const QString& path) {
    const QFileInfo info(path);
    return info.isFile() ? info.size() <= kLargestStore : !info.exists() && !info.isSymLink();
}

bool finish(QSettings& s) {
    s.sync();
    return s.status() == QSettings::NoError;
}
} // namespace

QString ClassStore::defaultPath() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
           QStringLiteral("/quellor/classes.ini");
}

ClassStore::ClassStore(QString path) : m_path(std::move(path)) {}

bool ClassStore::addClass(const ClassEntry& entry) {
    if (!usable(m_path)) {
        return false;
    }
    QDir().mkpath(QFileInfo(m_path).absolutePath());
    QSettings s(m_path, QSettings::IniFormat);
    s.beginGroup(classGroup(entry.clsid));
    s.setValue("InprocServer32", entry.libraryPath);
    s.setValue("ProgID", entry.progId);
    s.setValue("Description", entry.description);
    s.setValue("TypeLib", norm(entry.typeLib));
    s.setValue("Version", entry.version);
    s.setValue("Control", entry.control);
    s.endGroup();
    if (!entry.progId.isEmpty()) {
        s.setValue(progIdGroup(entry.progId) + QStringLiteral("/CLSID"), norm(entry.clsid));
    }
    return finish(s);
}

bool ClassStore::removeClass(const QString& clsid) {
    if (!usable(m_path)) {
        return false;
    }
    QSettings s(m_path, QSettings::IniFormat);
    const QString progId = s.value(classGroup(clsid) + QStringLiteral("/ProgID")).toString();
    s.remove(classGroup(clsid));
    // The ProgID goes only while it still names this class; another server may have taken it over.
    if (!progId.isEmpty() &&
        norm(s.value(progIdGroup(progId) + QStringLiteral("/CLSID")).toString()) == norm(clsid)) {
        s.remove(progIdGroup(progId));
    }
    return finish(s);
}

bool ClassStore::addTypeLib(const TypeLibEntry& entry) {
    if (!usable(m_path)) {
        return false;
    }
    QDir().mkpath(QFileInfo(m_path).absolutePath());
    QSettings s(m_path, QSettings::IniFormat);
    s.beginGroup(typeLibGroup(entry.libid));
    s.setValue("Version", entry.version);
    s.setValue("Locale", entry.locale);
    s.setValue("Path", entry.path);
    s.setValue("Description", entry.description);
    s.endGroup();
    return finish(s);
}

bool ClassStore::removeTypeLib(const QString& libid) {
    if (!usable(m_path)) {
        return false;
    }
    QSettings s(m_path, QSettings::IniFormat);
    s.remove(typeLibGroup(libid));
    return finish(s);
}

std::optional<QString> ClassStore::clsidFromProgId(const QString& progId) const {
    if (!usable(m_path)) {
        return std::nullopt;
    }
    QSettings s(m_path, QSettings::IniFormat);
    const QString clsid = s.value(progIdGroup(progId) + QStringLiteral("/CLSID")).toString();
    if (clsid.isEmpty()) {
        return std::nullopt;
    }
    return clsid;
}

std::optional<ClassStore::ClassEntry> ClassStore::findClass(const QString& clsid) const {
    if (!usable(m_path)) {
        return std::nullopt;
    }
    QSettings s(m_path, QSettings::IniFormat);
    s.beginGroup(classGroup(clsid));
    const QString library = s.value("InprocServer32").toString();
    if (library.isEmpty()) {
        return std::nullopt;
    }
    ClassEntry e;
    e.clsid = norm(clsid);
    e.libraryPath = library;
    e.progId = s.value("ProgID").toString();
    e.description = s.value("Description").toString();
    e.typeLib = s.value("TypeLib").toString();
    e.version = s.value("Version").toString();
    e.control = s.value("Control").toBool();
    return e;
}

std::optional<ClassStore::TypeLibEntry> ClassStore::findTypeLib(const QString& libid) const {
    if (!usable(m_path)) {
        return std::nullopt;
    }
    QSettings s(m_path, QSettings::IniFormat);
    s.beginGroup(typeLibGroup(libid));
    const QString path = s.value("Path").toString();
    if (path.isEmpty()) {
        return std::nullopt;
    }
    return TypeLibEntry{norm(libid), s.value("Version").toString(), s.value("Locale").toString(), path,
                        s.value("Description").toString()};
}

} // namespace quellor
