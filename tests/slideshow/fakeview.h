#pragma once

#include "settings/settingsfile.h"
#include "slideshow/showview.h"

#include <QMap>
#include <QStringList>

#include <ostream>
#include <vector>

// Readable QString values in test failures.
inline void PrintTo(const QString &text, std::ostream *os)
{
    *os << '"' << text.toStdString() << '"';
}

// A window for the show's logic that records what it was told to do, and
// the settings file it reads and writes.
namespace qelvo::fakes
{

class FakeView final : public slideshow::ShowView, public settings::SettingsStore
{
public:
    void setTimerInterval(int ms) override
    {
        interval = ms;
        ++intervalSets;
    }
    bool timerEnabled() const override { return enabled; }
    void setTimerEnabled(bool e) override
    {
        if (enabled && !e)
            ++timerRestarts;
        enabled = e;
    }
    void setPictureVisible(bool v) override { pictureVisible = v; }
    void setTitleVisible(bool v) override { titleVisible = v; }
    void setCornerTextVisible(bool v) override { cornerVisible = v; }
    void setStatusText(const QString &t) override { status = t; }
    void setStatusVisible(bool v) override { statusVisible = v; }
    void prepareTexts(const QString &listName) override { title = listName; }
    void clearPicture() override
    {
        ++clears;
        shown.clear();
    }
    // Every picture counts as prepared, but those of unprepared.
    std::optional<QSize> preparedNaturalSize(const QString &path) override
    {
        if (unprepared.contains(path))
            return std::nullopt;
        if (undecodable.contains(path))
            return QSize();
        return sizes.value(path, QSize(640, 480));
    }
    bool presentImage(const QString &path, const QRect &b) override
    {
        if (broken.contains(path))
            return false;
        shown = path;
        box = b;
        presented << path;
        return true;
    }
    void presentImage(const QString &path, BoxRule rule) override
    {
        readLater << path;
        laterBox = std::move(rule);
    }
    void prepareImage(const QString &path, BoxRule rule) override
    {
        prepared << path;
        preparedBox = std::move(rule);
    }
    void drawFade(const slideshow::FadeStep &step) override { fades.push_back(step); }
    void showMessage(const QString &text) override { messages << text; }
    void hideCursor() override { cursorHidden = true; }
    void hideForBackgroundRun() override { background = true; }
    std::optional<QString> readText() override { return settingsText; }
    std::optional<QByteArray> readBytes() override
    {
        if (!settingsText)
            return std::nullopt;
        return settingsText->toUtf8();
    }
    Outcome writeBytes(const QByteArray &bytes) override
    {
        written << QString::fromUtf8(bytes);
        return writeRefusal.isEmpty() ? Outcome::success() : Outcome::failure(writeRefusal);
    }
    void setWallPaper(const QString &path) override { wallpapers << path; }
    void endProcess() override { ++ended; }
    void closeWindow() override { ++closed; }
    bool hostedShow() const override { return hosted; }
    void pickBesideOthers(int, int, const std::function<QString(const QStringList &)> &choose) override
    {
        claimed << choose(elsewhere);
    }

    int interval = 0;
    int intervalSets = 0;
    bool enabled = true;
    int timerRestarts = 0;
    bool pictureVisible = false, titleVisible = false, cornerVisible = true, statusVisible = false;
    QString status, title, shown;
    QRect box;
    BoxRule preparedBox; // the latest prepare's
    BoxRule laterBox;    // the latest unprepared picture's
    QStringList presented, prepared, readLater, messages, written, wallpapers;
    int clears = 0, ended = 0, closed = 0;
    bool cursorHidden = false, background = false;
    std::vector<slideshow::FadeStep> fades;
    QMap<QString, QSize> sizes;
    QStringList undecodable, broken, unprepared;
    std::optional<QString> settingsText;
    QString writeRefusal;  // not empty: writes fail for this reason
    bool hosted = false;   // in a screen-saver host's window
    QStringList elsewhere; // the pictures the host's other shows have on screen
    QStringList claimed;
};

} // namespace qelvo::fakes
