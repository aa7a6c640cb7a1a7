#pragma once
// SPDX-License-Identifier: MIT
// The command line's side: what it answers without any window, and the requests it hands to a
// running copy over the session bus.

#include "command_line.h"

#include <optional>

namespace quellor {

class SingleInstance;

// The arguments as the program got them, without its own name.
QList<QByteArray> argumentsOf(int argc, char** argv);

// Answers help, version, status and bad arguments; none of them needs a display or the
// instance lock. The exit status when that is all; nothing otherwise.
std::optional<int> answerAtOnce(const Invocation& invocation, int& argc, char** argv);

// Hands a request to the copy that holds `instance`: the exit status. Nothing when no copy runs
// (the instance is then held, and this process is to start and arm) or there is no request.
std::optional<int> handOver(const Invocation& invocation, SingleInstance& instance, int& argc, char** argv);

} // namespace quellor
