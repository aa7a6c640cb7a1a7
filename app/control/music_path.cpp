// SPDX-License-Identifier: MIT

#include "music_path.h"

#include "schedule_model.h"
#include "time_text.h"

#include <QByteArrayView>
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QStandardPaths>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace quellor {

namespace {

// The name's extension when it is plain ASCII, so the link plays by the same route.
QByteArray extensionOf(const QByteArray& path) {
    const qsizetype dot = path.lastIndexOf('.');
    const QByteArray ext = dot < 0 ? QByteArray() : path.mid(dot);
    static const QRegularExpression plain(
        QRegularExpression::anchoredPattern(QStringLiteral("\\.[A-Za-z0-9]{1,8}")));
    return plain.match(QString::fromLatin1(ext)).hasMatch() ? ext : QByteArray();
}

#ifdef Q_OS_UNIX
MusicPath linkTo(const QByteArray& target) {
    const QString shown = QString::fromLocal8Bit(target);
    struct stat st {};
    if (::stat(target.constData(), &st) != 0) {
        return {{}, QStringLiteral("no file %1").arg(quoted(shown))};
    }
    if (!S_ISREG(st.st_mode)) {
        return {{}, QStringLiteral("%1 is not a regular file").arg(quoted(shown))};
    }
    if (::access(target.constData(), R_OK) != 0) {
        return {{}, QStringLiteral("%1 cannot be read").arg(quoted(shown))};
    }
    const QString dir =
        QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation) + QStringLiteral("/quellor-music");
    if (!QDir().mkpath(dir) ||
        !QFile::setPermissions(dir, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner)) {
        return {{}, QStringLiteral("cannot make the folder %1").arg(quoted(dir))};
    }
    // One link per file, named after it, so naming the same file again reuses its link.
    const QByteArray name = "music-" +
                            QCryptographicHash::hash(target, QCryptographicHash::Sha1).toHex().left(20) +
                            extensionOf(target);
    const QString link = dir + QLatin1Char('/') + QString::fromLatin1(name);
    const QByteArray linkBytes = QFile::encodeName(link);
    ::unlink(linkBytes.constData());
    if (::symlink(target.constData(), linkBytes.constData()) != 0) {
        return {{}, QStringLiteral("cannot link to %1 from %2").arg(quoted(shown), quoted(link))};
    }
    return {link, {}};
}
#endif

} // namespace

MusicPath musicPathFor(const QByteArray& argument, const QByteArray& workingDir) {
    const QByteArray absolute = argument.startsWith('/') ? argument : workingDir + '/' + argument;
    if (QByteArrayView(absolute).isValidUtf8()) {
        const QString path = QDir::cleanPath(QString::fromUtf8(absolute));
        return {path, ScheduleModel::musicProblem(path)};
    }
#ifdef Q_OS_UNIX
    return linkTo(absolute);
#else
    return {{}, QStringLiteral("%1 is not a file name").arg(quoted(QString::fromLocal8Bit(absolute)))};
#endif
}

} // namespace quellor
