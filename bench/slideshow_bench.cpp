// Times the slide show's image change, from the tick to the painted picture,
// and one transition step, drawing and presenting included, with the peak
// memory of an image change and `djpeg -scale 1/4` as the reference.
//   bench/slideshow_bench                       offscreen
//   QT_QPA_PLATFORM=xcb xvfb-run -s "-screen 0 3840x2160x24" bench/slideshow_bench
#include "platform/imagedecoder.h"
#include "slideshow/picturebox.h"
#include "slideshow/pictureloader.h"
#include "slideshow/scaling.h"
#include "slideshow/showsettings.h"
#include "slideshow/transition.h"

#include "photolike.h"

#include <QApplication>
#include <QDateTime>
#include <QFile>
#include <QImage>
#include <QImageWriter>
#include <QPainter>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QThread>

#include <benchmark/benchmark.h>

#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

extern char **environ;

using namespace qelvo;

namespace
{

struct Sample {
    const char *name;
    QSize size;
    const char *format;
};
const Sample kSamples[] = {
    {"photo6000x4000.jpg", {6000, 4000}, "JPEG"},
    {"photo1920x1080.jpg", {1920, 1080}, "JPEG"},
    {"scan4000x3000.bmp", {4000, 3000}, "BMP"},
    {"art1024x768.gif", {1024, 768}, "GIF"},
    {"progressive6000x4000.jpg", {6000, 4000}, "JPEG-progressive"},
};
constexpr int kSampleCount = sizeof kSamples / sizeof kSamples[0];
const QSize kScreens[] = {{1920, 1080}, {3840, 2160}};

QTemporaryDir *g_dir = nullptr;

QString samplePath(int i)
{
    return g_dir->filePath(QString::fromLatin1(kSamples[i].name));
}

void makeSample(const Sample &s, const QString &path)
{
    const QImage image = qelvo::bench::photoLike(s.size);
    if (QByteArray(s.format) == "JPEG-progressive") {
        QImageWriter writer(path, "JPEG");
        writer.setQuality(90);
        writer.setProgressiveScanWrite(true);
        writer.write(image);
        return;
    }
    if (QByteArray(s.format) != "GIF") {
        image.save(path, s.format, 90);
        return;
    }
    // Qt reads GIF but does not write it: ImageMagick converts.
    const QString png = path + QStringLiteral(".png");
    image.save(png, "PNG");
    QProcess::execute(QStringLiteral("convert"), {png, path});
}

// The image change as the show does it for a picture not prepared: the
// natural size from the header, the box, then one more read of the file for
// the decode for the box, one smooth scale, and the paint on screen.
void imageChange(PictureBox &picture, QImage &screen, const QString &path)
{
    const QSize natural = readNaturalSize(path);
    const QRect box = slideshow::scaleToScreen(natural, screen.size(), 1.0f);
    picture.setPicture(path, box.size());
    QPainter p(&screen);
    p.fillRect(screen.rect(), Qt::black);
    p.drawImage(box.topLeft(), picture.picture());
}

// A "VmRSS:" or "VmHWM:" figure of /proc/self/status, in kB. The high-water
// mark belongs to the process's own memory, so unlike getrusage it does not
// carry the spawning parent's peak over an exec.
long statusKb(const char *key)
{
    std::ifstream status("/proc/self/status");
    std::string word;
    while (status >> word) {
        if (word == key) {
            long kb = 0;
            status >> kb;
            return kb;
        }
    }
    return 0;
}

// Peak memory (MB) an image change needs on top of what the process holds
// already, measured in a fresh process of this program so that each case
// starts clean (Qt's worker threads rule out a plain fork).
double runSelf(const std::vector<std::string> &arguments)
{
    int fds[2];
    if (pipe(fds) != 0)
        return -1;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, fds[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, fds[0]);
    const std::string self = "/proc/self/exe";
    std::vector<char *> argv{const_cast<char *>(self.c_str())};
    for (const std::string &a : arguments)
        argv.push_back(const_cast<char *>(a.c_str()));
    argv.push_back(nullptr);
    pid_t pid = -1;
    const int spawned = posix_spawn(&pid, self.c_str(), &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    close(fds[1]);
    double mb = -1;
    if (spawned == 0) {
        std::string out;
        char buffer[64];
        ssize_t n;
        while ((n = read(fds[0], buffer, sizeof buffer)) > 0)
            out.append(buffer, static_cast<std::size_t>(n));
        waitpid(pid, nullptr, 0);
        if (!out.empty())
            mb = std::stod(out);
    }
    close(fds[0]);
    return mb;
}

double peakMegabytes(int sample, int screen)
{
    return runSelf({"--peak-child", samplePath(sample).toStdString(),
                    std::to_string(kScreens[screen].width()), std::to_string(kScreens[screen].height())});
}

// djpeg -scale 1/4 run from a small fresh process, whose peak then is djpeg's.
int djpegChild(const char *path)
{
    pid_t pid = -1;
    char *argv[] = {const_cast<char *>("djpeg"),
                    const_cast<char *>("-scale"),
                    const_cast<char *>("1/4"),
                    const_cast<char *>("-outfile"),
                    const_cast<char *>("/dev/null"),
                    const_cast<char *>(path),
                    nullptr};
    if (posix_spawnp(&pid, "djpeg", nullptr, nullptr, argv, environ) != 0)
        return 1;
    int status = 0;
    rusage usage{};
    wait4(pid, &status, 0, &usage);
    std::printf("%.1f\n", static_cast<double>(usage.ru_maxrss) / 1024.0);
    return 0;
}

// The child's side: one image change, then the growth of its peak resident size.
int peakChild(char **argv)
{
    PictureBox picture;
    QImage screen(QSize(std::atoi(argv[3]), std::atoi(argv[4])), QImage::Format_RGB32);
    screen.fill(Qt::black);
    const long before = statusKb("VmRSS:");
    imageChange(picture, screen, QString::fromLocal8Bit(argv[2]));
    std::printf("%.1f\n", static_cast<double>(statusKb("VmHWM:") - before) / 1024.0);
    return 0;
}

// "<sample> on <w>x<h>" for a case given as (sample, screen).
void labelSampleOnScreen(benchmark::State &state)
{
    const QSize screenSize = kScreens[state.range(1)];
    state.SetLabel(QStringLiteral("%1 on %2x%3")
                       .arg(QString::fromLatin1(kSamples[state.range(0)].name))
                       .arg(screenSize.width())
                       .arg(screenSize.height())
                       .toStdString());
}

void BM_ImageChange(benchmark::State &state)
{
    const QString path = samplePath(static_cast<int>(state.range(0)));
    const QSize screenSize = kScreens[state.range(1)];
    labelSampleOnScreen(state);
    PictureBox picture;
    QImage screen(screenSize, QImage::Format_RGB32);
    for (auto _ : state)
        imageChange(picture, screen, path);
    state.counters["peak_MB"] =
        peakMegabytes(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
}

// The change the show makes to a picture prepared while the one before was on
// screen, from the tick to the painted picture: the natural size read with the
// prepared picture (a look at the file's stamp), the box, the picture taken
// from the loader, and the paint. The read and decode ahead run on the
// loader's worker and are not timed.
void BM_PreparedChange(benchmark::State &state)
{
    const QString path = samplePath(static_cast<int>(state.range(0)));
    const QSize screenSize = kScreens[state.range(1)];
    labelSampleOnScreen(state);
    PictureBox picture;
    PictureLoader loader;
    QImage screen(screenSize, QImage::Format_RGB32);
    const TargetRule boxRule = [screenSize](QSize natural) {
        return slideshow::scaleToScreen(natural, screenSize, 1.0f).size();
    };
    for (auto _ : state) {
        state.PauseTiming();
        loader.prepare(path, boxRule);
        while (!loader.idle())
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        state.ResumeTiming();
        const auto natural = loader.preparedNaturalSize(path, stampOf(path));
        if (!natural) {
            state.SkipWithError("the prepared picture was not there");
            return;
        }
        const QRect box = slideshow::scaleToScreen(*natural, screenSize, 1.0f);
        auto prepared = loader.takePrepared(path, box.size());
        if (!prepared) {
            state.SkipWithError("the prepared picture was not for its box");
            return;
        }
        picture.showPicture(std::move(*prepared));
        QPainter p(&screen);
        p.fillRect(screen.rect(), Qt::black);
        p.drawImage(box.topLeft(), picture.picture());
    }
}

// How long a key waits while the worker decodes a 6000 x 4000 progressive
// JPEG for a 1920 x 1080 screen: the window's thread handles a posted event.
void BM_KeyDuringDecode(benchmark::State &state)
{
    const QString path = samplePath(4);
    PictureLoader loader;
    QObject target;
    double worstMs = 0;
    for (auto _ : state) {
        state.PauseTiming();
        while (!loader.idle())
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        loader.load(path, QSize(1620, 1080));
        state.ResumeTiming();
        const auto start = std::chrono::steady_clock::now();
        bool answered = false;
        QMetaObject::invokeMethod(
            &target, [&answered] { answered = true; }, Qt::QueuedConnection);
        while (!answered)
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        const std::chrono::duration<double, std::milli> waited = std::chrono::steady_clock::now() - start;
        worstMs = std::max(worstMs, waited.count());
    }
    state.counters["worst_ms"] = worstMs;
    while (!loader.idle())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
}

// N, N during a decode: a 6000 x 4000 progressive JPEG decodes for a
// 3840 x 2160 screen, 30 ms later the 1920 x 1080 JPEG is asked for; timed
// from that second request to its picture. Argument 0: the first decode runs
// to its end (a renderer that cannot be abandoned), 1: it is abandoned.
void BM_SecondKeyDuringDecode(benchmark::State &state)
{
    PictureLoader::Render whole;
    if (state.range(0) == 0)
        whole = [](const QString &path, const TargetRule &target) { return renderPicture(path, target); };
    PictureLoader loader(whole);
    QString shown;
    QObject::connect(&loader, &PictureLoader::loaded,
                     [&shown](const QString &path, const QImage &) { shown = path; });
    for (auto _ : state) {
        state.PauseTiming();
        while (!loader.idle())
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        shown.clear();
        loader.load(samplePath(4), QSize(3240, 2160));
        QThread::msleep(30);
        state.ResumeTiming();
        loader.load(samplePath(1), QSize(3840, 2160));
        while (shown != samplePath(1))
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
}

// djpeg -scale 1/4 into /dev/null, as a separate process (start-up included).
void BM_DjpegQuarter(benchmark::State &state)
{
    const std::string path = samplePath(static_cast<int>(state.range(0))).toStdString();
    state.SetLabel(kSamples[state.range(0)].name);
    for (auto _ : state) {
        pid_t pid = -1;
        char *argv[] = {const_cast<char *>("djpeg"),
                        const_cast<char *>("-scale"),
                        const_cast<char *>("1/4"),
                        const_cast<char *>("-outfile"),
                        const_cast<char *>("/dev/null"),
                        const_cast<char *>(path.c_str()),
                        nullptr};
        if (posix_spawnp(&pid, "djpeg", nullptr, nullptr, argv, environ) != 0) {
            state.SkipWithError("djpeg is not installed");
            return;
        }
        int status = 0;
        waitpid(pid, &status, 0);
    }
    state.counters["peak_MB"] = runSelf({"--djpeg-child", path});
}

// One transition step, drawn over the picture and brought to the screen.
// Variant 0: a shutter step (two bands); 1: the last curtain band (two areas
// as wide as half the picture) on a fresh picture, so that every pixel
// changes; 2: an iris ring near the picture's corners; 3: the same curtain
// step in invert mode, which changes every pixel again at every step.
void BM_FadeStep(benchmark::State &state)
{
    const QSize screenSize = kScreens[state.range(1)];
    PictureBox picture;
    picture.setGeometry(QRect(QPoint(0, 0), screenSize));
    QImage content(screenSize, QImage::Format_RGB32);
    content.fill(Qt::darkGreen);
    const QString path = g_dir->filePath("fill.bmp");
    content.save(path, "BMP");
    picture.setPicture(path, screenSize);
    picture.show();
    QApplication::processEvents();

    slideshow::FadeStep step;
    step.attributes.mode = slideshow::RasterMode::Black;
    const int w = screenSize.width(), h = screenSize.height();
    using slideshow::FadeShape;
    std::string label;
    switch (state.range(0)) {
    case 0:
        step.shapes = {
            {FadeShape::Kind::Rectangle, QRect(QPoint(-10, 500), QPoint(w + 10, 525)), {}, 0},
            {FadeShape::Kind::Rectangle, QRect(QPoint(-10, h - 525), QPoint(w + 10, h - 500)), {}, 0}};
        label = "shutter";
        break;
    case 1:
        step.shapes = {
            {FadeShape::Kind::Rectangle, QRect(QPoint(-10, -10), QPoint(w / 2 - 10, h + 10)), {}, 0},
            {FadeShape::Kind::Rectangle, QRect(QPoint(w / 2 + 10, -10), QPoint(w, h + 10)), {}, 0}};
        label = "curtain, last band";
        break;
    case 3:
        step.attributes.mode = slideshow::RasterMode::Invert;
        step.shapes = {
            {FadeShape::Kind::Rectangle, QRect(QPoint(-10, -10), QPoint(w / 2 - 10, h + 10)), {}, 0},
            {FadeShape::Kind::Rectangle, QRect(QPoint(w / 2 + 10, -10), QPoint(w, h + 10)), {}, 0}};
        label = "curtain, last band, invert";
        break;
    default:
        step.attributes.penWidth = 30;
        step.attributes.transparentFill = true;
        step.shapes = {{FadeShape::Kind::Circle, {}, QPoint(w / 2, h / 2), (w + h) / 4}};
        label = "iris";
        break;
    }
    state.SetLabel(label + (state.range(1) == 0 ? " on 1920x1080" : " on 3840x2160"));
    for (auto _ : state) {
        state.PauseTiming();
        if (state.range(0) != 3) {
            // Back to the untouched picture: each timed step is a transition's first.
            picture.clearTransition();
        }
        state.ResumeTiming();
        picture.drawFade(step);
    }
}

// Reading a list whose one entry is a folder of 32,767 files.
void BM_FolderPlayList(benchmark::State &state)
{
    QTemporaryDir folder;
    for (int i = 0; i < slideshow::kPlayListSlots; ++i) {
        QFile f(folder.filePath(QStringLiteral("IMG_%1.JPG").arg(i, 5, 10, QLatin1Char('0'))));
        f.open(QIODevice::WriteOnly);
    }
    const QString text =
        QStringLiteral("[SettingLists]\r\n***StartList***\r\nListName=big\r\nPathes\r\n(big),") +
        folder.path() + QStringLiteral("\r\n***EndList***\r\n");
    std::size_t count = 0;
    for (auto _ : state)
        count =
            slideshow::readShowSettings(text, realFileSystem(), QDateTime::currentDateTime()).PlayList.size();
    state.counters["entries"] = static_cast<double>(count);
}

} // namespace

BENCHMARK(BM_FolderPlayList)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ImageChange)->ArgsProduct({{0, 1, 2, 3}, {0, 1}})->Unit(benchmark::kMillisecond)->MinTime(1.0);
BENCHMARK(BM_PreparedChange)->ArgsProduct({{0, 2}, {0, 1}})->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SecondKeyDuringDecode)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(10);
BENCHMARK(BM_KeyDuringDecode)->Unit(benchmark::kMillisecond)->Iterations(20);
BENCHMARK(BM_DjpegQuarter)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->MinTime(1.0);
BENCHMARK(BM_FadeStep)->ArgsProduct({{0, 1, 2, 3}, {0, 1}})->Unit(benchmark::kMillisecond);

int main(int argc, char **argv)
{
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    if (argc == 3 && std::string(argv[1]) == "--djpeg-child")
        return djpegChild(argv[2]);
    QApplication app(argc, argv);
    if (argc == 5 && std::string(argv[1]) == "--peak-child")
        return peakChild(argv);
    QTemporaryDir dir;
    g_dir = &dir;
    for (int i = 0; i < kSampleCount; ++i)
        makeSample(kSamples[i], samplePath(i));
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
