#pragma once
// SPDX-License-Identifier: MIT
// The outward face of an in-process control library such as VantrelLib, as a host sees it: the
// four exported entry points, the class factory they hand out, and the persistence interface of
// a control. Hosts include this header only; they load the library itself at run time.

#include "vantrel/property_bag.h"

#include <QObject>
#include <QtPlugin>

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

class QWidget;

namespace vantrel {

using HRESULT = std::int32_t;

constexpr HRESULT S_OK = 0;
constexpr HRESULT S_FALSE = 1;
constexpr HRESULT E_NOINTERFACE = static_cast<HRESULT>(0x80004002u);
constexpr HRESULT E_POINTER = static_cast<HRESULT>(0x80004003u);
constexpr HRESULT E_FAIL = static_cast<HRESULT>(0x80004005u);
constexpr HRESULT CLASS_E_CLASSNOTAVAILABLE = static_cast<HRESULT>(0x80040111u);
constexpr HRESULT SELFREG_E_CLASS = static_cast<HRESULT>(0x80040201u);

// A 16-byte class or interface identifier in the Windows memory layout.
struct Guid {
    std::uint32_t data1 = 0;
    std::uint16_t data2 = 0;
    std::uint16_t data3 = 0;
    std::array<std::uint8_t, 8> data4{};

    // Written out rather than defaulted: the header is for C++17 hosts too.
    friend bool operator==(const Guid& a, const Guid& b) {
        return a.data1 == b.data1 && a.data2 == b.data2 && a.data3 == b.data3 && a.data4 == b.data4;
    }
    friend bool operator!=(const Guid& a, const Guid& b) { return !(a == b); }

    // Parses "{7E8A1A54-670B-11D7-B92A-00E04C3C232C}" (braces optional, any case).
    static constexpr std::optional<Guid> parse(std::string_view text) {
        if (text.size() == 38 && text.front() == '{' && text.back() == '}') {
            text = text.substr(1, 36);
        }
        if (text.size() != 36 || text[8] != '-' || text[13] != '-' || text[18] != '-' || text[23] != '-') {
            return std::nullopt;
        }
        std::array<std::uint8_t, 16> bytes{};
        std::size_t n = 0;
        for (std::size_t i = 0; i < text.size(); ++i) {
            if (i == 8 || i == 13 || i == 18 || i == 23) {
                continue;
            }
            const int hi = hex(text[i]);
            const int lo = hex(text[++i]);
            if (hi < 0 || lo < 0) {
                return std::nullopt;
            }
            bytes[n++] = static_cast<std::uint8_t>(hi * 16 + lo);
        }
        Guid g;
        g.data1 = (std::uint32_t{bytes[0]} << 24) | (std::uint32_t{bytes[1]} << 16) |
                  (std::uint32_t{bytes[2]} << 8) | bytes[3];
        g.data2 = static_cast<std::uint16_t>((bytes[4] << 8) | bytes[5]);
        g.data3 = static_cast<std::uint16_t>((bytes[6] << 8) | bytes[7]);
        for (int i = 0; i < 8; ++i) {
            g.data4[i] = bytes[8 + i];
        }
        return g;
    }

private:
    static constexpr int hex(char c) {
        if (c >= '0' && c <= '9') {
            return c - '0';
        }
        if (c >= 'a' && c <= 'f') {
            return c - 'a' + 10;
        }
        if (c >= 'A' && c <= 'F') {
            return c - 'A' + 10;
        }
        return -1;
    }
};

// The standard class-factory interface identifier; DllGetClassObject answers to it alone.
inline constexpr Guid IID_IClassFactory = *Guid::parse("{00000001-0000-0000-C000-000000000046}");

// A class object: makes instances of one class and can keep the library loaded.
class ClassFactory {
public:
    // The new object is a widget owned by parent (the host form), or null when it cannot be made.
    virtual QWidget* createInstance(QWidget* parent) = 0;
    // Locks (true) or unlocks (false) the library in memory, counted.
    virtual HRESULT lockServer(bool lock) = 0;

protected:
    ~ClassFactory() = default; // class objects live as long as the library; hosts never delete them
};

// How a control container persists a control with its host form.
class PersistPropertyBag {
public:
    virtual ~PersistPropertyBag() = default;
    // A control placed anew, with no stored state.
    virtual void InitProperties() = 0;
    virtual void ReadProperties(const PropertyBag& bag) = 0;
    virtual void WriteProperties(PropertyBag& bag) const = 0;
};

// The exported entry points, resolved by name from the loaded library.
using DllRegisterServerFn = HRESULT (*)();
using DllUnregisterServerFn = HRESULT (*)();
using DllGetClassObjectFn = HRESULT (*)(const Guid* clsid, const Guid* iid, void** out);
using DllCanUnloadNowFn = HRESULT (*)();

} // namespace vantrel

Q_DECLARE_INTERFACE(vantrel::PersistPropertyBag, "VantrelLib.PersistPropertyBag/2.0")
