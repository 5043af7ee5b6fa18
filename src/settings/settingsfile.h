#pragma once

#include "platform/appidentity.h"
#include "platform/filesystem.h"
#include "platform/outcome.h"
#include "settings/settinglist.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>

#include <optional>
#include <span>

// The one way to the settings file: every read, every save and every backup
// of it goes through here.
namespace qelvo::settings
{

// Replaces the settings file at path with bytes. Where the folder takes new
// files, the bytes go to a temporary file beside path, synced to disk and
// renamed over it, so an interrupted or failed save leaves the old file or
// the new one, whole; a symbolic link at path is replaced, never written
// through. Where the folder refuses new files but the file itself may be
// written (a system folder holding a per-user file), the file is rewritten in
// place, and only with a whole backup: its old content goes into an existing
// backupPathOf(path) first (no backup, no rewrite), and a rewrite cut short is
// undone from it by the next read or save (recoverInterruptedSave). Room is
// reserved before the first byte changes, so a full disk fails with nothing
// changed and says so (Outcome::systemError() is ENOSPC). Leftover temporary
// files of killed saves are removed first.
[[nodiscard]] Outcome writeSettingsFile(const QString &path, const QByteArray &bytes);

// Puts back the old content of a file whose in-place rewrite was killed
// part way (its backup still carries the mark); nothing otherwise.
void recoverInterruptedSave(const QString &path);
// The settings file's bytes, after recoverInterruptedSave; nothing when it
// cannot be read. Every reader of the file reads through here.
[[nodiscard]] std::optional<QByteArray> readSettingsFile(const QString &path);
// Reads and decodes a settings file; nothing when it cannot be opened.
[[nodiscard]] std::optional<QString> readSettingsText(const QString &path);

// The file that keeps a settings file's old content: "Qelvo.ini.bak".
[[nodiscard]] QString backupPathOf(const QString &path);

// The settings file as the show's logic reads and rewrites it.
class SettingsStore
{
public:
    virtual ~SettingsStore() = default;
    [[nodiscard]] virtual std::optional<QString> readText() = 0;
    // The changer-only run's rewrite works on the file's bytes as they are:
    // nothing when it cannot be read.
    [[nodiscard]] virtual std::optional<QByteArray> readBytes() = 0;
    [[nodiscard]] virtual Outcome writeBytes(const QByteArray &bytes) = 0;
};

// What the dialog's save stores in the head, beside the program's own name
// and version.
struct DialogState {
    QString pickerFolder; // AppLastAccPath
    int executeNumber = -1;
    int wpChanger = 0;
    int wpIndex = 0;
    QDateTime now; // LastExecute
};

// Why a save failed: the file that could not be written (the settings file or
// its backup), the common cause, and the system's words for any other.
struct SaveFailure {
    QString file;
    WriteProblem problem = WriteProblem::Other;
    QString systemText;
};

// The program's settings file (AppIdentity::settingsPath).
class SettingsFile final : public SettingsStore
{
public:
    explicit SettingsFile(const AppIdentity &identity);

    [[nodiscard]] const QString &path() const { return m_path; }
    [[nodiscard]] bool isFile() const;
    [[nodiscard]] std::optional<QString> readText() override;
    [[nodiscard]] std::optional<QByteArray> readBytes() override;
    [[nodiscard]] Outcome writeBytes(const QByteArray &bytes) override;
    // The file as it stands, not put back from an interrupted save: for a
    // process without the single instance, whose holder may be rewriting it.
    [[nodiscard]] std::optional<QString> readTextAsItStands() const;

    // A settings file that existed but could not be read is kept whole in
    // its backup by the first save that replaces it (keep true).
    void setKeepBeforeSave(bool keep) { m_keepBeforeSave = keep; }
    // A save's first step: that copy, when one is due and the file is there;
    // the save stops where it fails.
    [[nodiscard]] std::optional<SaveFailure> keepBeforeSave();
    // The dialog's save: the twelve head lines (a picker folder with a line
    // break left out) and the first lists.size() lists.
    [[nodiscard]] std::optional<SaveFailure> save(const DialogState &state,
                                                  std::span<const SettingList> lists);

private:
    QString m_path;
    QString m_appName;
    bool m_keepBeforeSave = false;
};

} // namespace qelvo::settings
