// SPDX-License-Identifier: MIT

#include "state_file.h"

#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace quellor::state_file {

namespace {

// Never follows a symlink and never waits on a FIFO whose other end is missing.
constexpr int kOpenFlags = O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC;

class Fd {
public:
    explicit Fd(int fd) : m_fd(fd) {}
    ~Fd() {
        if (m_fd >= 0) {
            ::close(m_fd);
        }
    }
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    int get() const { return m_fd; }
    bool valid() const { return m_fd >= 0; }
    // Closing can report a write-back error of its own (network file systems).
    bool close() {
        const int fd = m_fd;
        m_fd = -1;
        return fd < 0 || ::close(fd) == 0;
    }

private:
    int m_fd;
};

enum class Kind { Missing, Regular, Other, Unknown };

Kind kindOf(const QByteArray& path) {
    struct stat st {};
    if (::lstat(path.constData(), &st) != 0) {
        return errno == ENOENT ? Kind::Missing : Kind::Unknown;
    }
    return S_ISREG(st.st_mode) ? Kind::Regular : Kind::Other;
}

bool isRegular(int fd) {
    struct stat st {};
    return ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode);
}

bool writeAll(int fd, const QByteArray& bytes) {
    const char* at = bytes.constData();
    qint64 left = bytes.size();
    while (left > 0) {
        const ssize_t n = ::write(fd, at, static_cast<size_t>(left));
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            return false; // a full disk shows here, not at the rename
        }
        at += n;
        left -= n;
    }
    return true;
}

void syncDirectoryOf(const QString& path) {
    const QByteArray dir = QFile::encodeName(QFileInfo(path).absolutePath());
    Fd fd(::open(dir.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (fd.valid()) {
        ::fsync(fd.get()); // best effort: the rename itself has already happened
    }
}

bool writeInPlace(const QByteArray& path, const QByteArray& bytes, unsigned mode) {
    Fd fd(::open(path.constData(), O_WRONLY | kOpenFlags));
    if (!fd.valid() || !isRegular(fd.get()) || ::ftruncate(fd.get(), 0) != 0) {
        return false;
    }
    ::fchmod(fd.get(), mode);
    return writeAll(fd.get(), bytes) && ::fsync(fd.get()) == 0 && fd.close();
}

} // namespace

ReadResult read(const QString& path, qint64 limit) {
    const QByteArray native = QFile::encodeName(path);
    ReadResult result;
    switch (kindOf(native)) {
    case Kind::Missing:
        result.status = ReadStatus::Missing;
        return result;
    case Kind::Other:
        result.status = ReadStatus::Refused; // not even opened: opening a device can act on it
        return result;
    case Kind::Unknown:
        return result;
    case Kind::Regular:
        break;
    }
    Fd fd(::open(native.constData(), O_RDONLY | kOpenFlags));
    if (!fd.valid()) {
        result.status = errno == ELOOP    ? ReadStatus::Refused
                        : errno == ENOENT ? ReadStatus::Missing
                                          : ReadStatus::Failed;
        return result;
    }
    if (!isRegular(fd.get())) { // swapped since the look
        result.status = ReadStatus::Refused;
        return result;
    }
    QByteArray buffer(limit + 1, Qt::Uninitialized);
    qint64 got = 0;
    while (got < buffer.size()) {
        const ssize_t n = ::read(fd.get(), buffer.data() + got, static_cast<size_t>(buffer.size() - got));
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n < 0) {
            return result;
        }
        if (n == 0) {
            break;
        }
        got += n;
    }
    result.truncated = got > limit;
    buffer.truncate(qMin(got, limit));
    result.bytes = buffer;
    result.status = ReadStatus::Ok;
    return result;
}

bool empty(const QString& path, unsigned mode) {
    const QByteArray native = QFile::encodeName(path);
    const Kind kind = kindOf(native);
    if (kind != Kind::Missing && kind != Kind::Regular) {
        return false;
    }
    Fd fd(::open(native.constData(), O_WRONLY | O_CREAT | kOpenFlags, mode));
    if (!fd.valid() || !isRegular(fd.get()) || ::ftruncate(fd.get(), 0) != 0) {
        return false;
    }
    // A file that already existed keeps its old mode through open(); set it.
    return ::fchmod(fd.get(), mode) == 0 && fd.close();
}

bool replace(const QString& path, const QByteArray& bytes, const WriteOptions& options) {
    const QByteArray native = QFile::encodeName(path);
    const Kind kind = kindOf(native);
    if (kind != Kind::Missing && kind != Kind::Regular) {
        return false;
    }
    QByteArray temp;
    int fdValue = -1;
    for (int attempt = 0; attempt < 8 && fdValue < 0; ++attempt) {
        temp = native + ".new-" + QByteArray::number(QRandomGenerator::global()->generate(), 36);
        fdValue = ::open(temp.constData(), O_WRONLY | O_CREAT | O_EXCL | kOpenFlags, options.mode);
        if (fdValue < 0 && errno != EEXIST) {
            const bool folderClosed = errno == EACCES || errno == EPERM;
            return folderClosed && options.inPlaceFallback && kind == Kind::Regular &&
                   writeInPlace(native, bytes, options.mode);
        }
    }
    Fd fd(fdValue);
    if (!fd.valid()) {
        return false;
    }
    const bool written = writeAll(fd.get(), bytes) && ::fsync(fd.get()) == 0 && fd.close();
    // Checked again just before: whatever appeared at the path meanwhile is not ours to replace.
    const Kind now = kindOf(native);
    if (!written || (now != Kind::Missing && now != Kind::Regular) ||
        ::rename(temp.constData(), native.constData()) != 0) {
        ::unlink(temp.constData());
        return false;
    }
    syncDirectoryOf(path);
    return true;
}

} // namespace quellor::state_file
