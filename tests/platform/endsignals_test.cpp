#include "fakes/rawnames.h"
#include "platform/endsignals.h"
#include "platform/pathbytes.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <csignal>
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace qelvo;

namespace
{

struct Ending {
    int signal;
    bool deferred;      // the signal comes while a file is being written
    bool cp932 = false; // the file's name is not UTF-8
};

class EndSignals : public ::testing::TestWithParam<Ending>
{
};

// In a child process: the signal ends it by that signal, the named file is
// removed, and a deferral lets its own scope finish first (the child says so
// through the pipe), never more.
TEST_P(EndSignals, EndTheProcessByTheSignalAndRemoveItsFiles)
{
    QTemporaryDir dir;
    const QString lock = decodePath(QFile::encodeName(dir.path()) + "/" +
                                    (GetParam().cp932 ? fakes::kCp932Name : "qelvo") + ".lock");
    ::close(::open(encodePath(lock).constData(), O_WRONLY | O_CREAT | O_CLOEXEC, 0600));
    ASSERT_EQ(::access(encodePath(lock).constData(), F_OK), 0);
    int pipeFds[2];
    ASSERT_EQ(::pipe(pipeFds), 0);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        endOnSignals();
        removeOnEndSignal(lock);
        if (GetParam().deferred) {
            const EndSignalDeferral writing;
            ::raise(GetParam().signal);
            (void)!::write(pipeFds[1], "w", 1); // the write goes on to its end
        } else {
            ::raise(GetParam().signal);
        }
        (void)!::write(pipeFds[1], "x", 1); // never reached
        _exit(0);
    }
    ::close(pipeFds[1]);
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    char said[4] = {};
    const ssize_t n = ::read(pipeFds[0], said, sizeof said);
    ::close(pipeFds[0]);
    ASSERT_TRUE(WIFSIGNALED(status));
    EXPECT_EQ(WTERMSIG(status), GetParam().signal);
    EXPECT_EQ(std::string(said, static_cast<std::size_t>(std::max<ssize_t>(n, 0))),
              GetParam().deferred ? "w" : "");
    EXPECT_NE(::access(encodePath(lock).constData(), F_OK), 0);
}

INSTANTIATE_TEST_SUITE_P(EachSignal, EndSignals,
                         ::testing::Values(Ending{SIGTERM, false}, Ending{SIGINT, false},
                                           Ending{SIGHUP, false}, Ending{SIGTERM, true},
                                           Ending{SIGTERM, false, true}));

} // namespace
