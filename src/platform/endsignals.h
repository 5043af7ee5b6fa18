#pragma once

#include <QString>

namespace qelvo
{

// SIGTERM, SIGINT and SIGHUP (a screen-saver host ending its saver, Ctrl+C, a
// closed terminal) end the process at once, from any thread and at any
// moment: during a decode, a transition or a modal box. Nothing runs on the
// way out but the removal of the files named below; the process then dies of
// the signal, as it would without a handler.
void endOnSignals();

// A file this process owns that such a signal removes (the single-instance
// lock). A few paths at most; later ones beyond that are not removed.
void removeOnEndSignal(const QString &path);

// While one lives, an ending signal waits for it to go: a file being written
// then reaches its name (or is removed) instead of staying half-written beside it.
class EndSignalDeferral
{
public:
    EndSignalDeferral();
    ~EndSignalDeferral();
    EndSignalDeferral(const EndSignalDeferral &) = delete;
    EndSignalDeferral &operator=(const EndSignalDeferral &) = delete;
};

} // namespace qelvo
