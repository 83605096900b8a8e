// How long a new maze and a full repaint of the field take.
#include <benchmark/benchmark.h>

#include <QApplication>

#include "actiongames/frmMaze.h"
#include "actiongames/maze_rules.h"
#include "launcher/shared_routines.h"
#include "platform/recording_seam.h"
#include "platform/vbmath.h"

namespace {

// Counts what a draw asks for, and keeps a sum so nothing is optimised away.
struct CountingCanvas : MazeCanvas {
    long boxes = 0, pictures = 0;
    double sum = 0;
    void fillBox(double x1, double y1, double x2, double y2, int color) override {
        ++boxes;
        sum += x1 + y1 + x2 + y2 + color;
    }
    void drawSanta(int row, int col) override { pictures += row + col; }
    void drawBag(int row, int col) override { pictures += row + col; }
};

void BM_GenerateMaze(benchmark::State& state) {
    Randomize(1);
    MazeRules rules;
    for (auto _ : state) {
        rules.GenerateMaze();
        benchmark::DoNotOptimize(rules.Maze);
    }
}
BENCHMARK(BM_GenerateMaze);

void BM_DrawMaze(benchmark::State& state) {
    Randomize(1);
    MazeRules rules;
    // The field's cell size on a screen at the usual scale.
    rules.CellW = 17;
    rules.CellH = 18;
    rules.GenerateMaze();
    CountingCanvas canvas;
    for (auto _ : state) {
        rules.DrawMaze(canvas);
        benchmark::DoNotOptimize(canvas.sum);
    }
    state.counters["boxes per draw"] = double(canvas.boxes) / double(state.iterations());
    benchmark::DoNotOptimize(canvas.pictures);
}
BENCHMARK(BM_DrawMaze);

// The window's own repaint: the real field, off screen at its real size,
// cleared and drawn whole with the pictures of Santa and the bag.
void BM_RedrawField(benchmark::State& state) {
    static int argc = 1;
    static char name[] = "maze_bench";
    static char* argv[] = {name, nullptr};
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    static QApplication app(argc, argv);
    ScopedRecordingSeam seam;
    gAppPath = QCoreApplication::applicationDirPath().toStdString() + "/";

    frmMaze& window = frmMaze::instance();
    window.Show();
    for (auto _ : state) {
        window.picField_Paint();
        benchmark::DoNotOptimize(window.picField->image().constBits());
    }
    state.counters["field pixels"] =
        double(window.picField->image().width() * window.picField->image().height());
    window.Unload();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}
BENCHMARK(BM_RedrawField);

}  // namespace

BENCHMARK_MAIN();
