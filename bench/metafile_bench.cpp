// How fast pictures are read and drawn: the largest of the program's own
// pictures onto a puzzle board, and the reading of a large generated picture.
#include <benchmark/benchmark.h>

#include <QColor>
#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QPainter>
#include <cstdint>
#include <filesystem>
#include <vector>

#include "platform/metafile.h"

namespace {

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
    QImage board(273, 273, QImage::Format_RGB32);
    for (auto _ : state) {
        const auto picture = Metafile::load(path);
        if (!picture) {
            state.SkipWithError("the picture does not read");
            return;
        }
        board.fill(Qt::white);
        QPainter p(&board);
        picture->render(p, QRectF(0, 0, 273, 273), Metafile::Fit::Cover);
        p.end();
        benchmark::DoNotOptimize(board.constBits());
    }
    state.SetLabel(QFileInfo(path).fileName().toStdString());
}
BENCHMARK(BM_ReadAndDrawLargestPicture)->Unit(benchmark::kMillisecond);

void put16(std::vector<std::uint8_t>& b, int v) {
    b.push_back(static_cast<std::uint8_t>(v & 0xFF));
    b.push_back(static_cast<std::uint8_t>((v >> 8) & 0xFF));
}
void put32(std::vector<std::uint8_t>& b, std::uint32_t v) {
    put16(b, static_cast<int>(v & 0xFFFF));
    put16(b, static_cast<int>(v >> 16));
}

// About a megabyte of twenty-point polygons, each with a brush of its own.
std::vector<std::uint8_t> manyPolygons() {
    std::vector<std::uint8_t> b;
    put32(b, 0x9AC6CDD7);
    put16(b, 0);
    for (int v : {0, 0, 8000, 8000, 1440}) put16(b, v);
    put32(b, 0);
    int sum = 0;
    for (std::size_t i = 0; i < 20; i += 2) sum ^= b[i] | (b[i + 1] << 8);
    put16(b, sum);
    for (int v : {1, 9, 0x0300}) put16(b, v);
    put32(b, 0);
    put16(b, 2);
    put32(b, 0);
    put16(b, 0);
    std::uint32_t seed = 12345;
    auto next = [&seed] { return (seed = seed * 1103515245u + 12345u) >> 16; };
    while (b.size() < (1u << 20)) {
        const std::uint32_t colour = next() | (next() << 16);
        put32(b, 7), put16(b, 0x02FC), put16(b, 0), put32(b, colour & 0xFFFFFF), put16(b, 0);
        put32(b, 4), put16(b, 0x012D), put16(b, 0);
        put32(b, 4), put16(b, 0x01F0), put16(b, 0);
        put32(b, 4 + 40), put16(b, 0x0324), put16(b, 20);
        const int cx = static_cast<int>(next() % 8000), cy = static_cast<int>(next() % 8000);
        for (int k = 0; k < 20; ++k)
            put16(b, cx + static_cast<int>(next() % 300)), put16(b, cy + static_cast<int>(next() % 300));
    }
    put32(b, 3), put16(b, 0);
    return b;
}

void BM_ReadManyPolygons(benchmark::State& state) {
    const std::vector<std::uint8_t> data = manyPolygons();
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

BENCHMARK_MAIN();
