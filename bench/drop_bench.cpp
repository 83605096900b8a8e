// How long one fall step of Gift Drop takes: moving the five objects, judging
// those that reach the catcher, the back-buffer redraw with its copy onto the
// field, and the time bar; and the same with the field painted onto its
// widget as well. Run with QT_SCALE_FACTOR=2 for a screen of twice the
// density.
#include <benchmark/benchmark.h>

#include <QApplication>

#include "actiongames/frmDrop.h"
#include "launcher/shared_routines.h"
#include "platform/recording_seam.h"
#include "platform/vbmath.h"

namespace {

void fallSteps(benchmark::State& state, bool paint) {
    static int argc = 1;
    static char name[] = "drop_bench";
    static char* argv[] = {name, nullptr};
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    static QApplication app(argc, argv);
    ScopedRecordingSeam seam;
    gAppPath = QCoreApplication::applicationDirPath().toStdString() + "/";

    frmDrop& window = frmDrop::instance();
    window.Show();
    QCoreApplication::processEvents();  // the window is mapped, so the field really paints
    window.cmdNew_Click();
    long ticks = 0;
    for (auto _ : state) {
        window.timBalloons_Timer();
        if (paint) window.picBalloons[0]->repaint();
        benchmark::DoNotOptimize(window.picBalloons[0]->image().constBits());
        // The catch and miss sounds are logged; keep the log from growing without end.
        if ((++ticks & 1023) == 0) seam->log.clear();
    }
    state.counters["field pixels"] =
        double(window.picBalloons[0]->image().width() * window.picBalloons[0]->image().height());
    state.counters["device pixel ratio"] = window.picBalloons[0]->image().devicePixelRatio();
    window.cmdexit_Click();
    window.Unload();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}
void BM_FallStep(benchmark::State& state) { fallSteps(state, false); }
BENCHMARK(BM_FallStep);

void BM_FallStepAndPaint(benchmark::State& state) { fallSteps(state, true); }
BENCHMARK(BM_FallStepAndPaint);

}  // namespace

BENCHMARK_MAIN();
