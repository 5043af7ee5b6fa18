#pragma once

// A private Xvfb for the benchmarks that need a real X server.

#include <QSize>

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <string>

extern char **environ;

// A private X server; its display name, or empty when it cannot start.
inline std::string startXvfb(pid_t &pid, QSize screenSize)
{
    int fds[2];
    if (::pipe(fds) != 0)
        return {};
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addclose(&actions, fds[0]);
    const std::string fd = std::to_string(fds[1]);
    const std::string screen =
        std::to_string(screenSize.width()) + "x" + std::to_string(screenSize.height()) + "x24";
    const char *argv[] = {"Xvfb",         "-displayfd", fd.c_str(), "-screen", "0",
                          screen.c_str(), "-nolisten",  "tcp",      nullptr};
    if (posix_spawnp(&pid, argv[0], &actions, nullptr, const_cast<char **>(argv), environ) != 0)
        pid = -1;
    posix_spawn_file_actions_destroy(&actions);
    ::close(fds[1]);
    std::string number;
    char c;
    while (pid > 0 && ::read(fds[0], &c, 1) == 1 && c != '\n')
        number += c;
    ::close(fds[0]);
    return number.empty() ? std::string() : ":" + number;
}

inline void stopXvfb(pid_t pid)
{
    if (pid <= 0)
        return;
    ::kill(pid, SIGTERM);
    ::waitpid(pid, nullptr, 0);
}
