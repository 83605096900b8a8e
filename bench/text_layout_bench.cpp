// How long a label takes to lay out and paint a name of the text box's full
// length (32 767 characters): the Dreidel Game's message that names the
// player, and a finisher's name in the results dialog; the name one long word,
// many words, many phrases, nothing but characters that take no room
// (zero-width spaces, so that no start of the name passes the box), or words
// of letters each buried under accents.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>

#include "boardgames/dreidel_rules.h"
#include "boardgames/frmDreid.h"
#include "launcher/frmResults.h"
#include "launcher/shared_routines.h"
#include "platform/recording_seam.h"

namespace {

QApplication& app() {
    static int argc = 1;
    static char name[] = "text_layout_bench";
    static char* argv[] = {name, nullptr};
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    static QApplication instance(argc, argv);
    return instance;
}

constexpr int kLongest = 32767;  // what a name box takes

enum Kind { OneWord, Words, Phrases, ZeroWidth, Accents };

std::string longName(int kind, char last) {
    std::string name;
    if (kind == ZeroWidth) {
        // Nothing but zero-width spaces, the last a zero-width non-joiner for
        // the second name.
        for (int i = 1; i < kLongest; ++i) name += "\u200B";
        return name + (last == 'a' ? "\u200B" : "\u200C");
    }
    int length = 0;  // in characters
    while (length < kLongest - 1) {
        if (kind == Accents) {
            // Words of ten letters, each letter under sixteen acute accents.
            const bool space = length % 171 == 170;
            name += space ? ' ' : 'a';
            ++length;
            for (int k = 0; !space && k < 16 && length < kLongest - 1; ++k, ++length) name += "\u0301";
        } else {
            name += kind == OneWord ? "Maximilian"
                    : kind == Words ? "Maximilian Alexander Bartholomew "
                                    : "Maximilian, Alexander - Bartholomew. ";
            length = static_cast<int>(name.size());
        }
    }
    if (kind <= Phrases) name.resize(kLongest - 1);
    return name + last;
}

void setKindLabel(benchmark::State& state) {
    static const char* const names[] = {"one word", "words", "phrases", "zero width", "accents"};
    state.SetLabel(names[state.range(0)]);
}

// Each round shows one of two names that differ in their last letter, so the
// label lays out anew every time, then paints.
void layOutAndPaint(benchmark::State& state, Label* label, const QString (&texts)[2]) {
    QImage image(label->size(), QImage::Format_ARGB32_Premultiplied);
    long round = 0;
    for (auto _ : state) {
        label->setCaption(texts[round++ % 2]);
        benchmark::DoNotOptimize(label->shown().lines.size());
        label->render(&image);
        benchmark::DoNotOptimize(image.constBits());
    }
}

void BM_DreidelMessage(benchmark::State& state) {
    app();
    ScopedRecordingSeam seam;
    gAppPath = QCoreApplication::applicationDirPath().toStdString() + "/";
    frmDreid& w = frmDreid::instance();
    w.Load();
    const int kind = static_cast<int>(state.range(0));
    const QString texts[2] = {QString::fromStdString(dreidelTurnText(1, longName(kind, 'a'))),
                              QString::fromStdString(dreidelTurnText(1, longName(kind, 'b')))};
    layOutAndPaint(state, w.lblMessage, texts);
    setKindLabel(state);
    w.Unload();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}
BENCHMARK(BM_DreidelMessage)->DenseRange(OneWord, Accents)->Unit(benchmark::kMillisecond);

void BM_ResultsWinner(benchmark::State& state) {
    app();
    ScopedRecordingSeam seam;
    frmResults& d = frmResults::instance();
    d.Load();
    const int kind = static_cast<int>(state.range(0));
    const QString texts[2] = {QString::fromStdString(longName(kind, 'a')),
                              QString::fromStdString(longName(kind, 'b'))};
    layOutAndPaint(state, d.lblWin[0], texts);
    setKindLabel(state);
    d.Unload();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}
BENCHMARK(BM_ResultsWinner)->DenseRange(OneWord, Accents)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
