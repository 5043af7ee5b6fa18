// Runs the real qelvo binary on a private 3840 x 2160 Xvfb and reports what
// the screen got, over photo-like JPEGs (6000 x 4000 baseline and progressive,
// 4000 x 3000, 3840 x 2160, 1920 x 1080, 2000 x 3000) in random order:
//   show_on_screen steps [seconds]   transitions on; every step's work, from
//       the tick's start to the X server's reply after the repaint, and the
//       time from one step's tick to the next, as the binary records them
//       (QELVO_STEP_LOG), per variant and raster mode, with each transition's
//       length against its steps' frames.
//   show_on_screen memory [changes]  transitions off, a change every 0.3 s;
//       the process's resident memory sampled every 100 ms.
// A third argument names another qelvo binary; SHOW_ON_SCREEN_LOG=file keeps
// the step record.
#include "photolike.h"
#include "xvfb.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QImageWriter>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QThread>

#include <algorithm>
#include <cstdio>
#include <map>
#include <utility>
#include <vector>

namespace
{

const QSize kScreen(3840, 2160);
constexpr double kFrameMs = 1000.0 / 60;
constexpr double kChangeSeconds = 0.3;

struct Picture {
    const char *name;
    QSize size;
    bool progressive;
};
const Picture kPictures[] = {
    {"photo6000x4000.jpg", {6000, 4000}, false}, {"progressive6000x4000.jpg", {6000, 4000}, true},
    {"photo4000x3000.jpg", {4000, 3000}, false}, {"screen3840x2160.jpg", {3840, 2160}, false},
    {"photo1920x1080.jpg", {1920, 1080}, false}, {"portrait2000x3000.jpg", {2000, 3000}, false},
};

void writePicture(const Picture &picture, const QString &path)
{
    const QImage image = qelvo::bench::photoLike(picture.size);
    QImageWriter writer(path, "JPEG");
    writer.setQuality(90);
    writer.setProgressiveScanWrite(picture.progressive);
    writer.write(image);
}

void writeSettings(const QDir &dir, bool transitions, double changeSeconds)
{
    QByteArray text =
        "[ExecuteState]\r\nExecuteNumber=0\r\nWPChanger=0\r\nWPIndex=0\r\nLastExecute=2000/01/01 "
        "0:00:00\r\n\r\n[SettingLists]\r\n***StartList***\r\nListName=Bench\r\nChgTime=" +
        QByteArray::number(changeSeconds) +
        "\r\nZoomMax=1\r\nRandomView=1\r\nMouseDisable=1\r\nEffect=" + (transitions ? "0" : "1") +
        "\r\nPathes\r\n";
    for (const Picture &p : kPictures)
        text += QByteArray(p.name) + ',' + dir.filePath(QLatin1String(p.name)).toUtf8() + "\r\n";
    text += "***EndList***\r\n";
    QFile f(dir.filePath(QStringLiteral("Qelvo.ini")));
    if (f.open(QIODevice::WriteOnly))
        f.write(text);
}

struct Figures {
    int transitions = 0;
    std::vector<double> work;   // ms
    std::vector<double> period; // ms, a step's tick to the next one's
    double worstLength = 0;     // a transition's length over its steps' frames
};

double mean(const std::vector<double> &v)
{
    double sum = 0;
    for (double x : v)
        sum += x;
    return v.empty() ? 0 : sum / double(v.size());
}

double worst(const std::vector<double> &v)
{
    return v.empty() ? 0 : *std::max_element(v.begin(), v.end());
}

double percentile(std::vector<double> v, double share)
{
    if (v.empty())
        return 0;
    const auto at = v.begin() + std::ptrdiff_t(share * double(v.size() - 1));
    std::nth_element(v.begin(), at, v.end());
    return *at;
}

// Lines "<kind> <mode> <work ms> <ms since the step before>"; a transition
// begins where the step before is more than a few frames back.
void reportSteps(const QString &logPath)
{
    QFile log(logPath);
    if (!log.open(QIODevice::ReadOnly)) {
        std::printf("no steps were recorded\n");
        return;
    }
    std::map<std::pair<int, int>, Figures> figures;
    Figures *current = nullptr;
    int steps = 0;
    double length = 0;
    auto endTransition = [&] {
        if (current && steps > 1)
            current->worstLength = std::max(current->worstLength, length / ((steps - 1) * kFrameMs));
    };
    for (const QByteArray &line : log.readAll().split('\n')) {
        const QList<QByteArray> f = line.simplified().split(' ');
        if (f.size() != 4)
            continue;
        const double since = f[3].toDouble();
        if (since == 0 || since > 4 * kFrameMs) {
            endTransition();
            current = &figures[{f[0].toInt(), f[1].toInt()}];
            ++current->transitions;
            steps = 0;
            length = 0;
        } else {
            current->period.push_back(since);
            length += since;
        }
        ++steps;
        current->work.push_back(f[2].toDouble());
    }
    endTransition();
    const char *kinds[] = {"", "shutter", "curtain", "iris"};
    const char *modes[] = {"copy", "black", "mask", "invert"};
    std::printf("%-8s %-7s %5s %6s %9s %8s %9s %6s %11s %11s %13s\n", "kind", "mode", "runs", "steps",
                "work mean", "work p99", "work max", ">frame", "period mean", "period max", "length/frames");
    for (const auto &[key, fig] : figures) {
        if (key.first < 1 || key.first > 3 || key.second < 0 || key.second > 3)
            continue;
        const auto late =
            std::count_if(fig.work.begin(), fig.work.end(), [](double ms) { return ms > kFrameMs; });
        std::printf("%-8s %-7s %5d %6zu %9.2f %8.2f %9.2f %6td %11.2f %11.2f %13.2f\n", kinds[key.first],
                    modes[key.second], fig.transitions, fig.work.size(), mean(fig.work),
                    percentile(fig.work, 0.99), worst(fig.work), late, mean(fig.period), worst(fig.period),
                    fig.worstLength);
    }
}

qint64 statusKb(qint64 pid, const char *field)
{
    QFile status(QStringLiteral("/proc/%1/status").arg(pid));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n'))
        if (line.startsWith(field))
            return line.mid(qstrlen(field)).trimmed().split(' ').first().toLongLong();
    return -1;
}

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen"); // this tool's own pictures only
    QGuiApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    const bool memory = args.value(1) == QLatin1String("memory");
    if (!memory && args.value(1) != QLatin1String("steps")) {
        std::fprintf(stderr, "usage: show_on_screen steps [seconds] | memory [changes] [qelvo binary]\n");
        return 2;
    }
    const double amount = args.value(2, memory ? QStringLiteral("1000") : QStringLiteral("300")).toDouble();
    const QString binary = args.value(3, QStringLiteral(QELVO_BINARY));

    pid_t xvfb = -1;
    const std::string display = startXvfb(xvfb, kScreen);
    if (display.empty()) {
        std::fprintf(stderr, "show_on_screen: Xvfb could not be started\n");
        return 1;
    }
    QTemporaryDir install, runtime;
    const QDir dir(install.path());
    for (const Picture &p : kPictures)
        writePicture(p, dir.filePath(QLatin1String(p.name)));
    QFile::copy(binary, dir.filePath(QStringLiteral("qelvo")));
    writeSettings(dir, !memory, memory ? kChangeSeconds : 0.2);
    const QString logPath = dir.filePath(QStringLiteral("steps.log"));

    QProcess show;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("DISPLAY"), QString::fromStdString(display));
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime.path());
    env.insert(QStringLiteral("QELVO_STEP_LOG"), logPath);
    show.setProcessEnvironment(env);
    show.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    show.start(dir.filePath(QStringLiteral("qelvo")), {QStringLiteral("/s")});
    if (!show.waitForStarted()) {
        std::fprintf(stderr, "show_on_screen: %s did not start\n", qPrintable(binary));
        stopXvfb(xvfb);
        return 1;
    }
    const qint64 pid = show.processId();
    const double seconds = memory ? amount * kChangeSeconds + 1.5 : amount; // the title first
    QElapsedTimer clock;
    clock.start();
    qint64 title = -1, first = -1, low = -1, high = 0, lastLow = -1;
    std::vector<qint64> samples;
    while (clock.elapsed() < seconds * 1000 && show.state() == QProcess::Running) {
        QThread::msleep(100);
        const qint64 rss = statusKb(pid, "VmRSS:");
        if (rss < 0)
            break;
        if (clock.elapsed() < 1000)
            title = std::max(title, rss);
        samples.push_back(rss);
    }
    const qint64 peak = statusKb(pid, "VmHWM:");
    show.kill();
    show.waitForFinished();
    stopXvfb(xvfb);

    if (!memory) {
        // SHOW_ON_SCREEN_LOG names a file to keep the binary's own record in.
        if (const QString keep = qEnvironmentVariable("SHOW_ON_SCREEN_LOG"); !keep.isEmpty()) {
            QFile::remove(keep);
            QFile::copy(logPath, keep);
        }
        std::printf("qelvo on Xvfb %dx%d, %.0f s, a change every 0.2 s; ms\n", kScreen.width(),
                    kScreen.height(), amount);
        reportSteps(logPath);
        return 0;
    }
    // The floor: the lowest sample of each tenth of the run after the title.
    samples.erase(samples.begin(), samples.begin() + std::min<long>(long(samples.size()), 15));
    QByteArray floors;
    const std::size_t tenth = std::max<std::size_t>(samples.size() / 10, 1);
    for (std::size_t i = 0; i < samples.size(); i += tenth) {
        const qint64 m = *std::min_element(samples.begin() + long(i),
                                           samples.begin() + long(std::min(samples.size(), i + tenth)));
        floors += ' ' + QByteArray::number(qRound(m / 1024.0));
        if (first < 0)
            first = m;
        lastLow = m;
        low = low < 0 ? m : std::min(low, m);
        high = std::max(high, m);
    }
    const double picture = kScreen.width() * kScreen.height() * 4 / 1024.0;
    std::printf("qelvo on Xvfb %dx%d, about %.0f changes (one every %.1f s); resident memory, MB\n",
                kScreen.width(), kScreen.height(), amount, kChangeSeconds);
    std::printf(
        "during the title %.0f, floor over the run %.0f .. %.0f (first tenth %.0f, last %.0f), peak %.0f\n",
        title / 1024.0, low / 1024.0, high / 1024.0, first / 1024.0, lastLow / 1024.0, peak / 1024.0);
    std::printf("floor of each tenth:%s\n", floors.constData());
    std::printf("peak over the title: %.0f MB = %.2f x two screen pictures (%.0f MB)\n",
                (peak - title) / 1024.0, (peak - title) / (2 * picture), 2 * picture / 1024.0);
    return 0;
}
