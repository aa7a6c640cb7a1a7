#pragma once
// SPDX-License-Identifier: MIT
// A tiny test framework for the cross-built test (Qt Test is not available for mingw here).
// A case fails when any of its checks fails; the runner's last line is "N passed, N failed".
// Inside a table-driven case, a Row names the row that the following checks belong to.

#include <ostream>
#include <ranges>
#include <sstream>
#include <string>

namespace check {

using CaseFunction = void (*)();

struct Register {
    Register(const char* name, CaseFunction function);
};

void fail(const char* file, int line, const std::string& what);

class Row {
public:
    explicit Row(std::string label);
    ~Row();
    Row(const Row&) = delete;
    Row& operator=(const Row&) = delete;
};

template <typename T> std::string show(const T& value) {
    std::ostringstream out;
    if constexpr (requires { out << value; }) {
        out << value;
    } else if constexpr (std::ranges::range<T>) {
        out << "{";
        for (const auto& element : value) {
            out << " " << show(element) << ";";
        }
        out << " }";
    } else {
        out << "<unprintable>";
    }
    return out.str();
}

} // namespace check

#define TEST_CASE(name)                                                                                      \
    static void name();                                                                                      \
    static const check::Register name##_registration(#name, name);                                           \
    static void name()

#define CHECK(condition)                                                                                     \
    do {                                                                                                     \
        if (!(condition)) {                                                                                  \
            check::fail(__FILE__, __LINE__, "CHECK(" #condition ")");                                        \
        }                                                                                                    \
    } while (false)

#define CHECK_EQ(actual, expected)                                                                           \
    do {                                                                                                     \
        const auto& check_actual_ = (actual);                                                                \
        const auto& check_expected_ = (expected);                                                            \
        if (!(check_actual_ == check_expected_)) {                                                           \
            check::fail(__FILE__, __LINE__,                                                                  \
                        #actual " == " #expected ": got " + check::show(check_actual_) + ", expected " +     \
                            check::show(check_expected_));                                                   \
        }                                                                                                    \
    } while (false)
