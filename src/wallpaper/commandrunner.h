#pragma once

#include "wallpaper/desktopcommands.h"

#include <QByteArray>

namespace qelvo::wallpaper
{

struct CommandResult {
    bool succeeded = false; // started, ended normally and with exit code 0
    QByteArray output;      // standard output
};

// Runs a desktop tool; behind an interface so that tests can record the calls.
class CommandRunner
{
public:
    virtual ~CommandRunner() = default;
    virtual CommandResult run(const CommandLine &command) = 0;
};

// Starts the program directly with its argument list (no shell) and waits for
// it a bounded time; a tool that hangs is killed and counts as failed.
class ProcessRunner final : public CommandRunner
{
public:
    explicit ProcessRunner(int timeoutMs = 15000) : m_timeoutMs(timeoutMs) {}
    CommandResult run(const CommandLine &command) override;

private:
    int m_timeoutMs;
};

} // namespace qelvo::wallpaper
