#include "platform/recording_seam.h"

#include <QPointer>
#include <QWidget>
#include <chrono>
#include <filesystem>
#include <thread>

#include "platform/file_lookup.h"
#include "platform/recording_printer.h"
#include "platform/wav.h"

namespace {
std::string baseName(const std::string& path) { return std::filesystem::path(path).filename().string(); }

const char* answerName(MsgAnswer a) {
    switch (a) {
        case MsgAnswer::OK:
            return "OK";
        case MsgAnswer::Cancel:
            return "Cancel";
        case MsgAnswer::Yes:
            return "Yes";
        case MsgAnswer::No:
            return "No";
    }
    return "?";
}
}  // namespace

RecordingSeam::RecordingSeam() : printer_(std::make_unique<RecordingPrinter>()) {}
RecordingSeam::~RecordingSeam() = default;

std::vector<std::string> RecordingSeam::take() {
    std::vector<std::string> out;
    out.swap(log);
    return out;
}

void RecordingSeam::delay(double seconds) {
    log.push_back("delay " + fmtNumber(seconds));
    if (seconds > 0) clock += seconds;
}

bool RecordingSeam::waitFor(const std::function<bool()>& done, double seconds) {
    const auto limit = std::chrono::steady_clock::now() + std::chrono::minutes(1);
    bool finished = done();
    while (!finished && !(waitGivesUpWhen && waitGivesUpWhen()) && std::chrono::steady_clock::now() < limit) {
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
        finished = done();
    }
    log.push_back("wait " + fmtNumber(seconds) + (finished ? ": done" : ": gave up"));
    if (!finished) clock += seconds;
    return finished;
}

void RecordingSeam::playSound(const std::string& path, bool wait) {
    log.push_back("sound " + baseName(path) + (wait ? " wait" : ""));
    if (!wait) return;
    std::string found = findFileIgnoringCase(path);
    auto wav = found.empty() ? std::nullopt : readWavFile(found);
    clock += wav ? wav->seconds() : missingSoundSeconds;
}

void RecordingSeam::stopSound() { log.push_back("stop"); }

void RecordingSeam::beep() { log.push_back("beep"); }

MsgAnswer RecordingSeam::msgBox(const QString& text, MsgButtons buttons, MsgIcon icon, const QString& title,
                                QWidget*) {
    boxes.push_back({text, buttons, icon, title});
    MsgAnswer answer = buttons == MsgButtons::YesNo ? MsgAnswer::No : MsgAnswer::OK;
    if (!answers.empty()) {
        answer = answers.front();
        answers.pop_front();
    }
    log.push_back("msgbox " + title.toStdString() + ": " + answerName(answer));
    return answer;
}

void RecordingSeam::setHelpFile(const std::string& path) {
    helpFile = path;
    log.push_back("helpfile " + baseName(path));
}

void RecordingSeam::helpContext(int context) { log.push_back("help " + std::to_string(context)); }

void RecordingSeam::helpContents() { log.push_back("help contents"); }

void RecordingSeam::repaintNow(QWidget* widget) {
    log.push_back("repaint " + (widget ? widget->objectName().toStdString() : std::string("?")));
}

void RecordingSeam::runModal(QWidget* window) {
    log.push_back("modal " + (window ? window->objectName().toStdString() : std::string("?")));
    QPointer<QWidget> guard(window);
    if (!modalActions.empty()) {
        auto action = std::move(modalActions.front());
        modalActions.pop_front();
        action(window);
    }
    // The action may have unloaded the window.
    if (guard && guard->isVisible()) guard->hide();
}

Printer& RecordingSeam::printer() { return *printer_; }

RecordingPrinter& RecordingSeam::recordingPrinter() { return *printer_; }

void RecordingSeam::endProgram() {
    ended = true;
    log.push_back("end");
}

ScopedRecordingSeam::ScopedRecordingSeam() : previous_(currentSeam()) { setSeam(&seam_); }
ScopedRecordingSeam::~ScopedRecordingSeam() { setSeam(previous_); }
