// SPDX-License-Identifier: MIT

#include "single_instance.h"

#include "state_file.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace quellor {

namespace {

constexpr QByteArrayView kLockedLine = "locked\n";
constexpr qint64 kStateLimit = 64; // a process id and a word

QString errorText(int error) {
    return QString::fromLocal8Bit(std::strerror(error));
}

// Why something that is not a regular file stands where the lock belongs.
QString notAFile(const QString& path, mode_t mode) {
    if (S_ISDIR(mode)) {
        return QStringLiteral("%1 is a folder").arg(path);
    }
    if (S_ISLNK(mode)) {
        return QStringLiteral("%1 is a symbolic link").arg(path);
    }
    return QStringLiteral("%1 is not a regular file").arg(path);
}

bool sameFile(const struct stat& a, const struct stat& b) {
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

} // namespace

SingleInstance::SingleInstance(const QString& lockPath) : m_path(lockPath) {}

SingleInstance::~SingleInstance() {
    // The file stays: removing it would let a copy starting this instant lock a file nobody finds.
    if (m_fd >= 0) {
        ::close(m_fd);
    }
}

SingleInstance::Result SingleInstance::acquire() {
    if (m_fd >= 0) {
        return Result::Acquired;
    }
    m_why.clear();
    const QByteArray native = QFile::encodeName(m_path);
    // A lock file removed and made anew between the open and the lock is opened again.
    for (int attempt = 0; attempt < 3; ++attempt) {
        struct stat before {};
        if (::lstat(native.constData(), &before) == 0 && !S_ISREG(before.st_mode)) {
            m_why = notAFile(m_path, before.st_mode); // not even opened: opening a device can act on it
            return Result::LockUnavailable;
        }
        const int fd =
            ::open(native.constData(), O_RDWR | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0600);
        if (fd < 0) {
            const int error = errno;
            m_why = error == ELOOP ? notAFile(m_path, S_IFLNK)
                                   : QStringLiteral("cannot create %1: %2").arg(m_path, errorText(error));
            return Result::LockUnavailable;
        }
        struct stat opened {};
        if (::fstat(fd, &opened) != 0 || !S_ISREG(opened.st_mode)) {
            ::close(fd);
            m_why = notAFile(m_path, opened.st_mode);
            return Result::LockUnavailable;
        }
        if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
            const int error = errno;
            ::close(fd);
            if (error != EWOULDBLOCK) {
                m_why = QStringLiteral("cannot lock %1: %2").arg(m_path, errorText(error));
                return Result::LockUnavailable;
            }
            const state_file::ReadResult state = state_file::read(m_path, kStateLimit);
            m_otherLocked = state.status == state_file::ReadStatus::Ok && state.bytes.contains(kLockedLine);
            return Result::OtherCopyRuns;
        }
        struct stat now {};
        if (::lstat(native.constData(), &now) == 0 && sameFile(now, opened)) {
            m_fd = fd;
            writeState(false);
            return Result::Acquired;
        }
        ::close(fd);
    }
    m_why = QStringLiteral("%1 keeps being replaced").arg(m_path);
    return Result::LockUnavailable;
}

void SingleInstance::setLocked(bool locked) {
    if (m_fd >= 0 && !writeState(locked)) {
        std::fprintf(stderr, "Quellor: cannot note the lock screen in %s\n", qUtf8Printable(m_path));
    }
}

bool SingleInstance::writeState(bool locked) {
    QByteArray state = QByteArray::number(qint64(::getpid())) + '\n';
    if (locked) {
        state += kLockedLine;
    }
    // A reader may see it half written; only the whole word counts there.
    return ::ftruncate(m_fd, 0) == 0 && ::pwrite(m_fd, state.constData(), state.size(), 0) == state.size();
}

QString SingleInstance::defaultLockPath() {
    QString dir = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (dir.isEmpty()) {
        dir = QDir::tempPath();
    }
    return dir + QStringLiteral("/quellor.lock");
}

} // namespace quellor
