// SPDX-License-Identifier: MIT

#include "state_directory.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryFile>

namespace quellor {

namespace {

// A real attempt, not the permission bits: a read-only mount, an ACL or an administrator's run
// all answer truthfully this way. The probe removes itself.
bool canCreateFilesIn(const QString& dir) {
    QTemporaryFile probe(dir + QStringLiteral("/.quellor-probe-XXXXXX"));
    return probe.open();
}

} // namespace

QString userDataDirectory() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + QStringLiteral("/quellor");
}

QString stateDirectory(const QString& programDir, const QString& userDataDir) {
    const bool installed = QFileInfo::exists(programDir + QLatin1Char('/') + QLatin1String(kInstalledMarker));
    if (!installed && canCreateFilesIn(programDir)) {
        return programDir;
    }
    QDir().mkpath(userDataDir);
    return userDataDir;
}

} // namespace quellor
