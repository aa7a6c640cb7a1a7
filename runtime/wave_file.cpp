// SPDX-License-Identifier: MIT

#include "wave_file.h"

#include <QFile>

#include <array>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace quellor::wave_file {

namespace {

// A cue has three chunks; a file that needs more before its data is not a cue.
constexpr int kMostChunks = 64;
constexpr std::uint16_t kPcm = 1;
constexpr std::uint32_t kLowestRate = 1000;
constexpr std::uint32_t kHighestRate = 384000;
constexpr std::uint16_t kMostChannels = 8;

std::uint32_t le32(const unsigned char* p) {
    return std::uint32_t(p[0]) | std::uint32_t(p[1]) << 8 | std::uint32_t(p[2]) << 16 |
           std::uint32_t(p[3]) << 24;
}

std::uint16_t le16(const unsigned char* p) {
    return static_cast<std::uint16_t>(p[0] | p[1] << 8);
}

class File {
public:
    explicit File(const QString& path)
        : m_fd(::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC)) {}
    ~File() {
        if (m_fd >= 0) {
            ::close(m_fd);
        }
    }
    File(const File&) = delete;
    File& operator=(const File&) = delete;

    // The size of a regular file; -1 for anything else.
    qint64 regularSize() const {
        struct stat st {};
        return m_fd >= 0 && ::fstat(m_fd, &st) == 0 && S_ISREG(st.st_mode) ? qint64(st.st_size) : -1;
    }
    template <std::size_t N> bool readAt(qint64 offset, std::array<unsigned char, N>& into) const {
        std::size_t got = 0;
        while (got < N) {
            const ssize_t n = ::pread(m_fd, into.data() + got, N - got, static_cast<off_t>(offset + got));
            if (n < 0 && errno == EINTR) {
                continue;
            }
            if (n <= 0) {
                return false;
            }
            got += static_cast<std::size_t>(n);
        }
        return true;
    }

private:
    int m_fd;
};

// The bytes of one sample frame of a format the effect decodes as it is; 0 for any other.
int frameBytes(const std::array<unsigned char, 16>& fmt) {
    const std::uint16_t tag = le16(&fmt[0]);
    const std::uint16_t channels = le16(&fmt[2]);
    const std::uint32_t rate = le32(&fmt[4]);
    const std::uint16_t blockAlign = le16(&fmt[12]);
    const std::uint16_t bits = le16(&fmt[14]);
    // 24-bit samples the effect would take for 16-bit ones: noise, so the player has them.
    const bool sane = tag == kPcm && channels >= 1 && channels <= kMostChannels && rate >= kLowestRate &&
                      rate <= kHighestRate && (bits == 8 || bits == 16 || bits == 32) &&
                      blockAlign == channels * (bits / 8);
    return sane ? blockAlign : 0;
}

bool idIs(const std::array<unsigned char, 8>& chunk, const char* id) {
    return std::memcmp(chunk.data(), id, 4) == 0;
}

} // namespace

bool fitsSoundEffect(const QString& path) {
    const File file(path);
    const qint64 fileSize = file.regularSize();
    std::array<unsigned char, 12> riff{};
    if (fileSize < 0 || !file.readAt(0, riff) || std::memcmp(riff.data(), "RIFF", 4) != 0 ||
        std::memcmp(riff.data() + 8, "WAVE", 4) != 0) {
        return false;
    }
    const qint64 end = qint64(le32(&riff[4])) + 8;
    if (end > fileSize) {
        return false; // cut short, or a size made up
    }
    int frame = 0;
    qint64 at = static_cast<qint64>(riff.size());
    for (int i = 0; i < kMostChunks && at + 8 <= end; ++i) {
        std::array<unsigned char, 8> chunk{};
        if (!file.readAt(at, chunk)) {
            return false;
        }
        const qint64 size = le32(&chunk[4]);
        const qint64 body = at + 8;
        if (body + size > end) {
            return false;
        }
        if (idIs(chunk, "fmt ") && frame == 0) {
            std::array<unsigned char, 16> fmt{};
            if (size < qint64(fmt.size()) || !file.readAt(body, fmt) || (frame = frameBytes(fmt)) == 0) {
                return false;
            }
        } else if (idIs(chunk, "data")) {
            // The effect reads whole frames up to the data's size; a part frame never comes.
            return frame > 0 && size > 0 && size % frame == 0;
        }
        at = body + size + (size & 1); // chunks are padded to an even length
    }
    return false;
}

} // namespace quellor::wave_file
