// SPDX-License-Identifier: MIT

#include "check.h"

#include <cstdio>
#include <exception>
#include <vector>

namespace check {

namespace {

struct Case {
    const char* name;
    CaseFunction function;
};

struct Runner {
    std::vector<Case> cases;
    std::vector<std::string> rows;
    int failures = 0;
};

Runner& runner() {
    static Runner instance;
    return instance;
}

} // namespace

Register::Register(const char* name, CaseFunction function) {
    runner().cases.push_back({name, function});
}

Row::Row(std::string label) {
    runner().rows.push_back(std::move(label));
}

Row::~Row() {
    runner().rows.pop_back();
}

void fail(const char* file, int line, const std::string& what) {
    std::string where;
    for (const std::string& row : runner().rows) {
        where += " [" + row + "]";
    }
    std::printf("  %s:%d:%s %s\n", file, line, where.c_str(), what.c_str());
    ++runner().failures;
}

} // namespace check

int main() {
    using check::runner;
    int passed = 0;
    int failed = 0;
    for (const auto& c : runner().cases) {
        runner().failures = 0;
        runner().rows.clear();
        try {
            c.function();
        } catch (const std::exception& e) {
            check::fail(__FILE__, __LINE__, std::string("exception: ") + e.what());
        }
        const bool ok = runner().failures == 0;
        std::printf("%s %s\n", ok ? "PASS" : "FAIL", c.name);
        (ok ? passed : failed)++;
    }
    std::printf("%d passed, %d failed\n", passed, failed);
    std::fflush(stdout);
    return failed == 0 ? 0 : 1;
}
