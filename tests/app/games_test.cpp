// The menu's buttons open the games that are built, each its own window.
#include "games.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QMessageBox>
#include <QTimer>
#include <filesystem>

#include "launcher/frmMenu.h"
#include "platform/real_seam.h"
#include "platform/recording_seam.h"
#include "support/temp_dir.h"

TEST(Games, EachBuiltGameOpensFromItsButtonAndTheOthersAreDisabled) {
    ScopedRecordingSeam rec;
    TempDir dir;
    std::filesystem::copy_file(QUENVALE_SOURCE_DIR "/assets/vantrel5.ini", dir.file("vantrel5.ini"));
    frmMenu::setProgramFolder(dir.path().string());
    frmMenu::clearGames();
    registerGames();
    frmMenu& m = frmMenu::instance();
    m.Load();
    ASSERT_FALSE(m.startFailed());

    const std::map<int, QString> built = {
        {0, "Vantrel Sliders"}, {1, "Gift Match"},      {2, "Where's Rudolph?"}, {3, "Build Frosty"},
        {4, "Trim a Tree"},     {5, "Vantrel Puzzles"}, {6, "Snow-Man"},         {7, "Word Search"},
        {8, "Santa's Maze"},    {9, "Santa's Sleigh"},  {10, "Snowball Toss"},   {11, "Crosswords"},
        {12, "Mancala"},        {13, "Dreidel Game"},   {14, "Gift Drop"}};
    for (int i = 0; i < 15; ++i) {
        auto it = built.find(i);
        EXPECT_EQ(m.cmdChoice[static_cast<std::size_t>(i)]->isEnabled(), it != built.end()) << i;
        if (it == built.end()) continue;
        m.cmdChoice[static_cast<std::size_t>(i)]->click();
        EXPECT_FALSE(m.form()->isVisible());
        QWidget* shown = nullptr;
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w->isVisible() && w != m.form() && w->windowTitle() == it->second) shown = w;
        ASSERT_TRUE(shown) << it->second.toStdString();
        auto* form = qobject_cast<Form*>(shown);
        ASSERT_TRUE(form && form->owner());
        // A close request acts as the exit button: a game under way stops
        // first (some start one as they open), the next request leaves.
        FormWindow* owner = form->owner();
        form->close();
        if (owner->isLoaded()) {
            EXPECT_TRUE(form->isVisible());
            form->close();
        }
        EXPECT_FALSE(owner->isLoaded());
        EXPECT_TRUE(m.form()->isVisible()) << it->second.toStdString();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    m.Unload();
    frmMenu::clearGames();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

TEST(Games, AStartWithoutItsSettingsEndsWithAnErrorStatus) {
    ScopedRecordingSeam cleanup;
    RealSeam real;
    setSeam(&real);
    TempDir dir;
    frmMenu::setProgramFolder(dir.path().string());
    frmMenu::clearGames();
    QString told;
    // The parent closes the real message box.
    QTimer::singleShot(0, [&] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            told = box->text();
            box->close();
        }
    });
    EXPECT_NE(runProgram(), 0);
    EXPECT_EQ(told, "File missing/incomplete - Reinstall program");
    EXPECT_FALSE(frmMenu::instance().form()->isVisible());
    setSeam(&*cleanup);
    frmMenu::instance().Unload();
    frmMenu::clearGames();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}
