#pragma once
// SPDX-License-Identifier: MIT
// Little-endian byte assembly for the RIFF and DIB based formats.

#include <QByteArray>
#include <cstdint>

namespace assetgen {

class ByteWriter {
public:
    void u8(std::uint8_t v) { m_bytes.append(static_cast<char>(v)); }
    void u16(std::uint16_t v) {
        u8(static_cast<std::uint8_t>(v & 0xff));
        u8(static_cast<std::uint8_t>(v >> 8));
    }
    void u32(std::uint32_t v) {
        u16(static_cast<std::uint16_t>(v & 0xffff));
        u16(static_cast<std::uint16_t>(v >> 16));
    }
    void i32(std::int32_t v) { u32(static_cast<std::uint32_t>(v)); }
    void i16(std::int16_t v) { u16(static_cast<std::uint16_t>(v)); }
    void tag(const char (&fourcc)[5]) { m_bytes.append(fourcc, 4); }
    void bytes(const QByteArray& b) { m_bytes.append(b); }
    // RIFF chunks are word aligned.
    void padToEven() {
        if (m_bytes.size() % 2) {
            u8(0);
        }
    }

    const QByteArray& data() const { return m_bytes; }
    qsizetype size() const { return m_bytes.size(); }

private:
    QByteArray m_bytes;
};

} // namespace assetgen
