#include "launcher/frmMenu.h"

#include <unistd.h>

#include <cerrno>
#include <map>

#include "launcher/settings.h"
#include "launcher/shared_routines.h"
#include "platform/data_file.h"
#include "platform/fonts.h"
#include "platform/seam.h"
#include "platform/units.h"

namespace {

std::map<int, std::function<FormWindow&()>>& games() {
    static std::map<int, std::function<FormWindow&()>> g;
    return g;
}

std::string& programFolder() {
    static std::string folder;
    return folder;
}

// Read at start-up and not yet written back.
bool settingsOwed = false;

// Grid position of each button: column and row, counted from 1.
constexpr int kColumn[15] = {2, 1, 1, 1, 1, 2, 2, 2, 3, 3, 3, 2, 1, 3, 3};
constexpr int kRow[15] = {2, 1, 2, 3, 4, 1, 3, 4, 2, 3, 4, 5, 5, 1, 5};
constexpr int kLeft[3] = {2880, 5160, 7440};
constexpr int kTop[5] = {240, 960, 1680, 2400, 3120};

}  // namespace

const std::array<const char*, 15> frmMenu::kCaptions = {
    "Vantrel Sliders", "Gift Match", "Where's Rudolph", "Build Frosty", "Trim a Tree",
    "Vantrel Puzzles", "Snow-Man",   "Vantrel Search",  "Santa's Maze", "Santa's Sleigh",
    "Snowball Toss",   "Crosswords", "Mancala",         "Dreidel Game", "Gift Drop"};

frmMenu::frmMenu() : FormWindow("frmMenu", Kind::Menu) {
    setCaption("Quenvale, Version 5.0");
    setClientSize(9660, 3990);
    setBackColor(0x0080FF80);
    setHelpContextID(0);
}

frmMenu& frmMenu::instance() {
    static frmMenu menu;
    return menu;
}

void frmMenu::registerGame(int index, std::function<FormWindow&()> window) {
    games()[index] = std::move(window);
}

void frmMenu::clearGames() { games().clear(); }

void frmMenu::setProgramFolder(const std::string& folder) { programFolder() = folder; }

void frmMenu::createControls() {
    Form* f = form();
    Shape1 = new Shape(f, "Shape1");
    placeTwips(Shape1, 0, 0, 2775, 4455);
    Image1 = new ImageBox(f, "Image1");
    placeTwips(Image1, 45, 120, 2700, 3000);
    for (int i = 0; i < 15; ++i) {
        auto* b = new Button3D(f, QString("cmdChoice_%1").arg(i), kCaptions[static_cast<std::size_t>(i)]);
        b->setFont(vbFont("Comic Sans MS", 12));
        placeTwips(b, kLeft[kColumn[i] - 1], kTop[kRow[i] - 1], 2175, 615);
        b->setEnabled(games().count(i) > 0);
        b->onClick([this, i] { cmdChoice_Click(i); });
        cmdChoice[static_cast<std::size_t>(i)] = b;
    }
    cmdHelp = new Button3D(f, "cmdHelp", "&Help");
    placeTwips(cmdHelp, 720, 3240, 615, 615);
    cmdHelp->onClick([this] { cmdHelp_Click(); });
    cmdExit = new Button3D(f, "cmdExit", "");
    placeTwips(cmdExit, 1560, 3240, 630, 615);
    cmdExit->setToolTip("Exit");
    cmdExit->onClick([this] { cmdexit_Click(); });
}

void frmMenu::Form_Load() {
    // The folder's very bytes: its name need not be valid UTF-8 (an old
    // archive unpacks "café" in the Windows character set).
    std::string folder = programFolder();
    if (folder.empty()) folder = executableFolder();
    gAppPath = folder + "/";
    seam().setHelpFile(gAppPath + "vantrel.hlp");
    [[maybe_unused]] const int moved = ::chdir(folder.c_str());
    centre();

    // The pictures lie beside the program; the menu is whole without them.
    Image1->setPictureFile(FullPath("logo.svg"));
    cmdHelp->setPictureFile(FullPath("help.svg"));
    cmdExit->setPictureFile(FullPath("stop.svg"));

    startFailed_ = false;
    if (!ReadSettings(FullPath("vantrel5.ini"))) {
        startFailed_ = true;
        settingsOwed = false;
        seam().msgBox("File missing/incomplete - Reinstall program", MsgButtons::OK, MsgIcon::Critical,
                      "Quenvale", nullptr);
        seam().endProgram();
        return;
    }
    ClampSettings();
    settingsOwed = true;

    Show();
    seam().repaintNow(form());
    // Started directly: the jingle does not stop a sound already playing.
    seam().playSound(FullPath("jingle.wav"), false);
}

void frmMenu::cmdChoice_Click(int Index) {
    auto it = games().find(Index);
    if (it == games().end()) return;
    Hide();
    it->second().Show();
}

void frmMenu::cmdHelp_Click() { seam().helpContents(); }

void frmMenu::cmdexit_Click() {
    // The exit runs once: a session ended by a signal after the exit button (or
    // the close box after the exit) must not write the settings again.
    if (!settingsOwed) return;
    saveOwedSettings();
    Hide();
    seam().endProgram();
}

void frmMenu::Form_Unload(int&) { cmdexit_Click(); }

void frmMenu::saveOwedSettings() {
    if (!settingsOwed) return;
    settingsOwed = false;
    // A settings file that cannot be written keeps its old content; the parent
    // is told, and the program ends all the same.
    const std::string path = FullPath("vantrel5.ini");
    if (!WriteSettings(path)) tellNotSaved("settings", path, errno, instance().form());
}
