// The start-up path: settings read, menu built and first painted, offscreen.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QCoreApplication>
#include <QImage>
#include <cstdlib>
#include <filesystem>

#include "launcher/frmMenu.h"
#include "platform/recording_seam.h"

namespace {

std::string programFolder() {
    // The build puts the assets beside the program; the benchmarks lie there too.
    return QCoreApplication::applicationDirPath().toStdString();
}

void BM_MenuStartUp(benchmark::State& state) {
    ScopedRecordingSeam rec;
    frmMenu::setProgramFolder(programFolder());
    for (auto _ : state) {
        frmMenu& m = frmMenu::instance();
        m.Load();
        if (m.startFailed()) {
            state.SkipWithError("settings file missing beside the benchmark");
            break;
        }
        QImage shot = m.form()->grab().toImage();
        benchmark::DoNotOptimize(shot.bits());
        state.PauseTiming();
        m.Unload();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        rec->take();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_MenuStartUp)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
