// The start-up path: settings read, menu built and first painted, offscreen.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QCoreApplication>
#include <QImage>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "launcher/frmMenu.h"
#include "platform/recording_seam.h"

namespace {

namespace fs = std::filesystem;

// A folder of the benchmark's own holding a copy of the files the build puts
// beside the program (the benchmarks lie there too), so that the menu, which
// writes its settings back at every unloading, never writes into the
// program's folder. Removed afterwards.
class ProgramFolderCopy {
public:
    ProgramFolderCopy() {
        std::string pattern = (fs::temp_directory_path() / "quenvale-bench-XXXXXX").string();
        if (!::mkdtemp(pattern.data())) return;
        path_ = pattern;
        const fs::path from = QCoreApplication::applicationDirPath().toStdString();
        for (const fs::directory_entry& entry : fs::directory_iterator(from)) {
            // The programs themselves stay behind.
            const bool program = (entry.status().permissions() & fs::perms::owner_exec) != fs::perms::none;
            if (entry.is_regular_file() && !program)
                fs::copy_file(entry.path(), path_ / entry.path().filename());
        }
    }
    ~ProgramFolderCopy() {
        std::error_code ignored;
        if (!path_.empty()) fs::remove_all(path_, ignored);
    }
    ProgramFolderCopy(const ProgramFolderCopy&) = delete;
    ProgramFolderCopy& operator=(const ProgramFolderCopy&) = delete;

    bool made() const { return !path_.empty(); }
    std::string path() const { return path_.string(); }

private:
    fs::path path_;
};

void BM_MenuStartUp(benchmark::State& state) {
    ScopedRecordingSeam rec;
    const ProgramFolderCopy folder;
    if (!folder.made()) {
        state.SkipWithError("no temporary folder for the program's files");
        return;
    }
    frmMenu::setProgramFolder(folder.path());
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
    frmMenu::setProgramFolder("");
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
