#pragma once
// The command line's side: what it answers without any window, and the requests it hands to a
// running copy over the session bus.

#include "command_line.h"

#include <optional>

namespace quellor {

class SingleInstance;

// The arguments as the program got them, without its own name.
QStringList argumentsOf(int argc, char** argv);

// Answers help, version, status and bad arguments, and hands a request to the copy that holds
// `instance`. The exit status when the process is done; nothing when the program is to start,
// with the instance held whenever there is a request to apply.
std::optional<int> answerWithoutWindows(const Invocation& invocation, SingleInstance& instance, int& argc,
                                        char** argv);

} // namespace quellor
