// How fast pictures are read and drawn onto a puzzle board: the largest of the
// program's own pictures, and the worst pictures the reader accepts, which
// must draw within a tenth of a second however a file spends its bounds.
#include <benchmark/benchmark.h>

#include <QColor>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "platform/metafile.h"
#include "support/costly_pictures.h"

namespace {

// The jigsaw's board.
constexpr int kBoard = 273;

void drawOnBoard(const Metafile& picture, QImage& board) {
    board.fill(Qt::white);
    QPainter p(&board);
    picture.render(p, QRectF(0, 0, kBoard, kBoard), Metafile::Fit::Contain);
    p.end();
    benchmark::DoNotOptimize(board.constBits());
}

// The pictures lie beside the program, as they do for the games.
QString largestPicture() {
    const auto exe = std::filesystem::read_symlink("/proc/self/exe");
    const QDir dir(QString::fromStdString(exe.parent_path().string()));
    const QFileInfoList files = dir.entryInfoList({"*.wmf"}, QDir::Files, QDir::Size);
    return files.isEmpty() ? QString() : files.first().absoluteFilePath();
}

void BM_ReadAndDrawLargestPicture(benchmark::State& state) {
    const QString path = largestPicture();
    if (path.isEmpty()) {
        state.SkipWithError("no pictures beside the program");
        return;
    }
    QImage board(kBoard, kBoard, QImage::Format_RGB32);
    for (auto _ : state) {
        const auto picture = Metafile::load(path);
        if (!picture) {
            state.SkipWithError("the picture does not read");
            return;
        }
        drawOnBoard(*picture, board);
    }
    state.SetLabel(QFileInfo(path).fileName().toStdString());
}
BENCHMARK(BM_ReadAndDrawLargestPicture)->Unit(benchmark::kMillisecond);

// Read and drawn from the bytes, as a file dropped into the folder would be;
// each round has a picture of its own (fonts are looked up anew for each).
void readAndDraw(benchmark::State& state, const std::function<Bytes()>& write) {
    QImage board(kBoard, kBoard, QImage::Format_RGB32);
    for (auto _ : state) {
        state.PauseTiming();
        const Bytes data = write();
        state.ResumeTiming();
        const auto picture = Metafile::parse(data.data(), data.size());
        if (!picture) {
            state.SkipWithError("the reader refuses the picture");
            return;
        }
        drawOnBoard(*picture, board);
    }
}

// Each costly shape as often as the reader accepts it.
void BM_ReadAndDrawWorstShape(benchmark::State& state, const CostlyShape* shape) {
    const int k = mostAccepted(costlyPicture(), *shape);
    readAndDraw(state, [&] { return withShape(costlyPicture(), *shape, k); });
    state.SetLabel("x " + std::to_string(k));
}

// Every bound spent at once: each costly shape as often as the shapes before
// it leave room for, in the order that was found to cost the most (text in
// new fonts, hatches over the whole picture, a tangled outline, and every
// record left on hatched ellipses).
void BM_ReadAndDrawWorstPicture(benchmark::State& state) {
    readAndDraw(state, [] {
        Wmf w = costlyPicture();
        for (const char* name :
             {"letters", "hatched fills over the whole picture", "self-intersecting polygon",
              "tiny hatched ellipses", "a bitmap stretched over the picture", "a polygon of many corners",
              "short lines"})
            drawWorst(w, costlyShape(name));
        return w.bytes();
    });
}
BENCHMARK(BM_ReadAndDrawWorstPicture)->Unit(benchmark::kMillisecond);

// As many records as a picture may have: eight-corner polygons, each with a
// brush of its own.
Bytes manyPolygons() {
    Wmf w(0, 0, 8000, 8000, 1440, 2);
    std::uint32_t seed = 12345;
    auto next = [&seed] { return (seed = seed * 1103515245u + 12345u) >> 16; };
    for (std::uint64_t n = 0; n < Metafile::kMaxWork.records / 4; ++n) {
        const std::uint32_t colour = (next() | (next() << 16)) & 0xFFFFFF;
        w.solid(colour).select(0).remove(0);
        const int cx = static_cast<int>(next() % 7700), cy = static_cast<int>(next() % 7700);
        std::vector<QPoint> points;
        for (int k = 0; k < 8; ++k)
            points.emplace_back(cx + static_cast<int>(next() % 300), cy + static_cast<int>(next() % 300));
        w.poly(0x0324, points);
    }
    return w.bytes();
}

void BM_ReadManyPolygons(benchmark::State& state) {
    const Bytes data = manyPolygons();
    for (auto _ : state) {
        auto picture = Metafile::parse(data.data(), data.size());
        if (!picture) {
            state.SkipWithError("the generated picture does not read");
            return;
        }
        benchmark::DoNotOptimize(picture);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                            static_cast<std::int64_t>(data.size()));
}
BENCHMARK(BM_ReadManyPolygons)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    // Text needs the font database, and so an application object.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    for (const CostlyShape& shape : costlyShapes())
        benchmark::RegisterBenchmark(("BM_ReadAndDrawWorstShape/" + std::string(shape.name)).c_str(),
                                     BM_ReadAndDrawWorstShape, &shape)
            ->Unit(benchmark::kMillisecond);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
