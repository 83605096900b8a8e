// How long one tick of a sleigh run takes: the hill's scroll, the cell copies
// of the sleigh, its track and the gates, and the judging, on the real window
// off screen; and the same with the hill painted onto its widget as well. Run
// with QT_SCALE_FACTOR=2 for a screen of twice the density.
#include <benchmark/benchmark.h>

#include <QApplication>

#include "actiongames/frmSled.h"
#include "launcher/shared_routines.h"
#include "launcher/shared_settings.h"
#include "platform/recording_seam.h"
#include "platform/vbmath.h"

namespace {

QApplication& app() {
    static int argc = 1;
    static char name[] = "sled_bench";
    static char* argv[] = {name, nullptr};
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    static QApplication instance(argc, argv);
    return instance;
}

// Beginner runs one after the other: in column 16 the sleigh never meets a
// tree there, so every run goes to its end and the next one starts.
void runTicks(benchmark::State& state, bool paint) {
    app();
    ScopedRecordingSeam seam;
    gAppPath = QCoreApplication::applicationDirPath().toStdString() + "/";
    const std::int16_t savedAbility = gSledAbility;
    gSledAbility = 1;
    Randomize(1);

    frmSled& w = frmSled::instance();
    w.Show();
    QCoreApplication::processEvents();  // the window is mapped, so the hill really paints
    long runs = 0, paints = 0;
    w.picHill->onPaint = [&paints] { ++paints; };
    for (auto _ : state) {
        if (!w.running()) {
            state.PauseTiming();
            seam->log.clear();
            w.cmdCommand_Click();  // New Run
            w.cmdCommand_Click();  // Go
            ++runs;
            state.ResumeTiming();
        }
        w.Timer1_Timer();
        if (paint) w.picHill->repaint();
        benchmark::DoNotOptimize(w.picHill->image().constBits());
    }
    state.counters["runs"] = double(runs);
    state.counters["paints per tick"] = double(paints) / double(state.iterations());
    state.counters["device pixel ratio"] = w.picHill->image().devicePixelRatio();
    if (w.running()) w.cmdexit_Click();  // stops the run; the window stays
    w.Unload();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    gSledAbility = savedAbility;
}

void BM_Tick(benchmark::State& state) { runTicks(state, false); }
BENCHMARK(BM_Tick);

void BM_TickAndPaint(benchmark::State& state) { runTicks(state, true); }
BENCHMARK(BM_TickAndPaint);

}  // namespace

BENCHMARK_MAIN();
