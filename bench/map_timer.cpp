// SPDX-License-Identifier: MIT
// Time from exec to the first new top-level window being mapped.
//
//   map_timer [-n RUNS] [-t TIMEOUT_S] [-s SETTLE_MS] [-v] -- COMMAND [ARGS...]
//
// Watches the root window's substructure, starts the command, and stops the clock at the first
// MapNotify of a window created after the start: under a reparenting window manager that is the
// frame, without one the client itself. The command is then ended and, after a pause to let the
// server and the window manager settle, run again. Prints one line per run and the median; -v
// adds the start and map moments on CLOCK_MONOTONIC, to line up with the command's own probes.

#include <X11/Xlib.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <poll.h>
#include <set>
#include <signal.h>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

struct Options {
    int runs = 1;
    double timeoutSeconds = 30;
    int settleMs = 500;
    bool verbose = false;
    std::vector<char*> command;
};

[[noreturn]] void usage() {
    std::fprintf(stderr,
                 "usage: map_timer [-n RUNS] [-t TIMEOUT_S] [-s SETTLE_MS] [-v] -- COMMAND [ARGS...]\n");
    std::exit(2);
}

std::optional<Options> parse(int argc, char** argv) {
    Options o;
    int i = 1;
    for (; i < argc; ++i) {
        const std::string a = argv[i];
        if (a == "--") {
            ++i;
            break;
        }
        if (a == "-v") {
            o.verbose = true;
            continue;
        }
        if (i + 1 >= argc) {
            return std::nullopt;
        }
        char* end = nullptr;
        if (a == "-n") {
            o.runs = static_cast<int>(std::strtol(argv[++i], &end, 10));
        } else if (a == "-t") {
            o.timeoutSeconds = std::strtod(argv[++i], &end);
        } else if (a == "-s") {
            o.settleMs = static_cast<int>(std::strtol(argv[++i], &end, 10));
        } else {
            return std::nullopt;
        }
        if (!end || *end != '\0') {
            return std::nullopt;
        }
    }
    for (; i < argc; ++i) {
        o.command.push_back(argv[i]);
    }
    if (o.command.empty() || o.runs < 1 || o.timeoutSeconds <= 0 || o.settleMs < 0) {
        return std::nullopt;
    }
    o.command.push_back(nullptr);
    return o;
}

double monotonicMs(Clock::time_point t) {
    return std::chrono::duration<double, std::milli>(t.time_since_epoch()).count();
}

pid_t launch(const Options& o) {
    const pid_t pid = fork();
    if (pid == 0) {
        // Its own process group, so ending it also ends anything it started.
        setpgid(0, 0);
        execvp(o.command[0], o.command.data());
        std::fprintf(stderr, "map_timer: cannot run %s: %s\n", o.command[0], std::strerror(errno));
        _exit(127);
    }
    if (pid > 0) {
        setpgid(pid, pid);
    }
    return pid;
}

void end(pid_t pid) {
    kill(-pid, SIGTERM);
    for (int i = 0; i < 50; ++i) {
        if (waitpid(pid, nullptr, WNOHANG) == pid) {
            return;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    kill(-pid, SIGKILL);
    waitpid(pid, nullptr, 0);
}

// Milliseconds until the first new top-level is mapped; nullopt on time-out or early exit.
std::optional<double> measureOnce(Display* dpy, const Options& o) {
    const Window root = DefaultRootWindow(dpy);
    // Drain what earlier runs left, so only windows made by this run count.
    XSync(dpy, False);
    while (XPending(dpy)) {
        XEvent ev;
        XNextEvent(dpy, &ev);
    }
    std::set<Window> created;
    const auto start = Clock::now();
    const pid_t pid = launch(o);
    if (pid < 0) {
        std::perror("map_timer: fork");
        return std::nullopt;
    }
    const auto deadline = start + std::chrono::duration<double>(o.timeoutSeconds);
    std::optional<double> result;
    pollfd pfd{ConnectionNumber(dpy), POLLIN, 0};
    while (!result) {
        while (!result && XPending(dpy)) {
            XEvent ev;
            XNextEvent(dpy, &ev);
            if (ev.type == CreateNotify && ev.xcreatewindow.parent == root) {
                created.insert(ev.xcreatewindow.window);
            } else if (ev.type == MapNotify && ev.xmap.event == root && created.count(ev.xmap.window)) {
                const auto mapped = Clock::now();
                result = std::chrono::duration<double, std::milli>(mapped - start).count();
                if (o.verbose) {
                    std::fprintf(stderr, "map_timer: start %.3f mapped %.3f (window 0x%lx)\n",
                                 monotonicMs(start), monotonicMs(mapped), ev.xmap.window);
                }
            }
        }
        if (result) {
            break;
        }
        const auto now = Clock::now();
        if (now >= deadline) {
            std::fprintf(stderr, "map_timer: no window within %.1f s\n", o.timeoutSeconds);
            break;
        }
        if (waitpid(pid, nullptr, WNOHANG) == pid) {
            std::fprintf(stderr, "map_timer: the command ended before mapping a window\n");
            return std::nullopt;
        }
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - now).count();
        poll(&pfd, 1, static_cast<int>(std::min<long long>(left, 100)));
    }
    end(pid);
    return result;
}

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    const size_t n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

} // namespace

int main(int argc, char** argv) {
    const auto options = parse(argc, argv);
    if (!options) {
        usage();
    }
    Display* dpy = XOpenDisplay(nullptr);
    if (!dpy) {
        std::fprintf(stderr, "map_timer: cannot open display %s\n", XDisplayName(nullptr));
        return 1;
    }
    XSelectInput(dpy, DefaultRootWindow(dpy), SubstructureNotifyMask);

    std::vector<double> times;
    for (int r = 0; r < options->runs; ++r) {
        if (r > 0) {
            std::this_thread::sleep_for(std::chrono::milliseconds(options->settleMs));
        }
        const auto ms = measureOnce(dpy, *options);
        if (!ms) {
            XCloseDisplay(dpy);
            return 1;
        }
        times.push_back(*ms);
        std::printf("run %d: %.1f ms\n", r + 1, *ms);
        std::fflush(stdout);
    }
    std::printf("median: %.1f ms\n", median(times));
    XCloseDisplay(dpy);
    return 0;
}
