#include "platform/endsignals.h"

#include "platform/pathbytes.h"

#include <array>
#include <atomic>
#include <climits>
#include <csignal>
#include <cstring>
#include <unistd.h>

namespace qelvo
{

namespace
{

constexpr std::array kEndSignals{SIGTERM, SIGINT, SIGHUP};
constexpr std::size_t kMaxPaths = 4;

// Filled before the handlers can run; read only by the handler.
std::array<std::array<char, PATH_MAX>, kMaxPaths> g_paths{};
std::atomic<std::size_t> g_pathCount{0};
std::atomic<int> g_deferrals{0};
std::atomic<int> g_pending{0};

static_assert(std::atomic<int>::is_always_lock_free && std::atomic<std::size_t>::is_always_lock_free,
              "the signal handler reads these");

// Only async-signal-safe calls from here on.
[[noreturn]] void endNow(int signal)
{
    const std::size_t count = g_pathCount.load();
    for (std::size_t i = 0; i < count && i < kMaxPaths; ++i)
        unlink(g_paths[i].data());
    std::signal(signal, SIG_DFL);
    raise(signal);
    _exit(128 + signal);
}

void onEndSignal(int signal)
{
    g_pending.store(signal);
    if (g_deferrals.load() == 0)
        endNow(signal);
}

} // namespace

void endOnSignals()
{
    struct sigaction action {
    };
    action.sa_handler = onEndSignal;
    sigemptyset(&action.sa_mask);
    // Not blocked while it runs, so that raise() in the handler ends the process there and then.
    action.sa_flags = SA_NODEFER;
    for (int signal : kEndSignals)
        sigaction(signal, &action, nullptr);
}

void removeOnEndSignal(const QString &path)
{
    const QByteArray bytes = encodePath(path);
    const std::size_t slot = g_pathCount.load();
    if (slot >= kMaxPaths || bytes.isEmpty() || static_cast<std::size_t>(bytes.size()) >= PATH_MAX)
        return;
    std::memcpy(g_paths[slot].data(), bytes.constData(), static_cast<std::size_t>(bytes.size()) + 1);
    g_pathCount.store(slot + 1);
}

EndSignalDeferral::EndSignalDeferral()
{
    g_deferrals.fetch_add(1);
}

EndSignalDeferral::~EndSignalDeferral()
{
    // A signal that came meanwhile ends the process now.
    if (g_deferrals.fetch_sub(1) == 1 && g_pending.load() != 0)
        endNow(g_pending.load());
}

} // namespace qelvo
