// Times one transition step at 3840 x 2160 as the screen gets it: drawn into
// the picture box, presented, and waited for by the X server (a round trip
// after the repaint, so the server has put the image). Starts its own Xvfb.
//   bench/transition_bench
#include "fakes/fakes.h"
#include "photolike.h"
#include "slideshow/picturebox.h"
#include "slideshow/transition.h"
#include "xvfb.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QScreen>
#include <QTemporaryDir>
#include <QWindow>
#include <QtGui/qguiapplication_platform.h>

#include <benchmark/benchmark.h>

#include <xcb/xcb.h>

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <string>
#include <vector>

extern char **environ;

using namespace qelvo;

namespace
{

const QSize kScreen(3840, 2160);

PictureBox *g_box = nullptr;

using Clock = std::chrono::steady_clock;

double millis(Clock::duration d)
{
    return std::chrono::duration<double, std::milli>(d).count();
}

// Waits until the X server has handled every request sent before.
void roundTrip()
{
    auto *x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    xcb_connection_t *connection = x11->connection();
    free(xcb_get_input_focus_reply(connection, xcb_get_input_focus(connection), nullptr));
}

// Whole transitions, each step timed from the drawing to the server's reply
// (draw_ms: up to the requests sent). Arguments: the variant's and the
// raster mode's draws, in hundredths.
void BM_TransitionStep(benchmark::State &state)
{
    PictureBox &box = *g_box;
    std::vector<double> times; // ms
    double first = 0;
    double drawing = 0; // ms, up to the requests sent
    for (auto _ : state) {
        box.clearTransition();
        QCoreApplication::processEvents();
        roundTrip();
        fakes::ScriptedRandom random{state.range(0) / 100.0, state.range(1) / 100.0};
        slideshow::Transition transition;
        double total = 0;
        for (bool finished = false, atFirst = true; !finished; atFirst = false) {
            const slideshow::FadeStep step = transition.step(box.size(), random);
            finished = step.finished;
            const auto start = Clock::now();
            box.drawFade(step);
            const auto sent = Clock::now();
            roundTrip();
            const double ms = millis(Clock::now() - start);
            drawing += millis(sent - start);
            times.push_back(ms);
            total += ms;
            if (atFirst)
                first = std::max(first, ms);
        }
        state.SetIterationTime(total / 1000);
    }
    double sum = 0;
    for (double t : times)
        sum += t;
    state.counters["mean_ms"] = sum / static_cast<double>(times.size());
    state.counters["max_ms"] = *std::max_element(times.begin(), times.end());
    state.counters["draw_ms"] = drawing / static_cast<double>(times.size());
    state.counters["first_ms"] = first;
    state.counters["steps"] = static_cast<double>(times.size()) / static_cast<double>(state.iterations());
}

} // namespace

BENCHMARK(BM_TransitionStep)
    ->ArgNames({"variant", "mode"})
    ->Args({0, 0})   // shutter in black
    ->Args({50, 0})  // curtain in black
    ->Args({99, 0})  // iris
    ->Args({50, 99}) // curtain inverting: every step changes all it covers
    ->UseManualTime()
    ->Iterations(10)
    ->Unit(benchmark::kMillisecond);

int main(int argc, char **argv)
{
    pid_t xvfb = -1;
    const std::string display = startXvfb(xvfb, kScreen);
    if (display.empty()) {
        std::fprintf(stderr, "transition_bench: skipped, Xvfb could not be started\n");
        return 0;
    }
    QTemporaryDir runtime;
    qputenv("XDG_RUNTIME_DIR", runtime.path().toLocal8Bit());
    qputenv("DISPLAY", display.c_str());
    qputenv("QT_QPA_PLATFORM", "xcb");
    int result = 0;
    {
        QApplication app(argc, argv);
        QWidget top;
        top.setGeometry(QGuiApplication::primaryScreen()->geometry());
        PictureBox box(&top);
        box.setGeometry(top.rect());
        top.showFullScreen();
        QElapsedTimer waited;
        waited.start();
        while (!(top.windowHandle() && top.windowHandle()->isExposed()) && waited.elapsed() < 10000)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
        if (box.size() != kScreen || !top.windowHandle()->isExposed()) {
            std::fprintf(stderr, "transition_bench: the box is not shown at %dx%d\n", kScreen.width(),
                         kScreen.height());
            result = 1;
        } else {
            box.showPicture(bench::photoLike(box.deviceSize(box.size())));
            g_box = &box;
            benchmark::Initialize(&argc, argv);
            benchmark::RunSpecifiedBenchmarks();
            benchmark::Shutdown();
        }
    }
    stopXvfb(xvfb);
    return result;
}
