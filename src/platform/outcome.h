#pragma once

#include <QString>

#include <utility>

namespace qelvo
{

// The result of an operation that can fail for a reason a person is told (a save,
// a rewrite, a wallpaper change). Every library reports such failures this way;
// a check with nothing to explain returns bool.
class [[nodiscard]] Outcome
{
public:
    [[nodiscard]] static Outcome success() { return Outcome(QString(), true); }
    // reason: what went wrong, in words for the user (never empty).
    [[nodiscard]] static Outcome failure(QString reason) { return Outcome(std::move(reason), false); }
    // A failure of a system call: its errno goes with the reason, so a caller
    // can tell a full disk from a refused one.
    [[nodiscard]] static Outcome systemFailure(QString reason, int error)
    {
        Outcome failed(std::move(reason), false);
        failed.m_error = error;
        return failed;
    }

    [[nodiscard]] bool ok() const { return m_ok; }
    explicit operator bool() const { return m_ok; }
    // Empty on success.
    [[nodiscard]] const QString &reason() const { return m_reason; }
    // The errno of a failed system call; 0 when none is known.
    [[nodiscard]] int systemError() const { return m_error; }

private:
    Outcome(QString reason, bool ok) : m_reason(std::move(reason)), m_ok(ok) {}
    QString m_reason;
    bool m_ok;
    int m_error = 0;
};

} // namespace qelvo
