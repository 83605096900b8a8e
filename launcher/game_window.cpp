#include "launcher/game_window.h"

#include "launcher/frmMenu.h"
#include "platform/seam.h"
#include "platform/vbmath.h"

void applyWindowSpec(FormWindow& w, const WindowSpec& spec) {
    w.setCaption(spec.caption);
    w.setClientSize(spec.clientWidth, spec.clientHeight);
    w.setBackColor(spec.backColor);
    w.setHelpContextID(spec.helpContextID);
    w.setKeyPreview(spec.keyPreview);
}

GameWindow::GameWindow(const WindowSpec& spec, OptionsDialog* options)
    : FormWindow(spec.name, Kind::Game), options_(options) {
    applyWindowSpec(*this, spec);
}

void GameWindow::connectFrameButtons(QAbstractButton* help, QAbstractButton* exit, QAbstractButton* options) {
    QObject::connect(help, &QAbstractButton::clicked, help, [this] { cmdHelp_Click(); });
    QObject::connect(exit, &QAbstractButton::clicked, exit, [this] { cmdexit_Click(); });
    if (options)
        QObject::connect(options, &QAbstractButton::clicked, options, [this] { cmdOptions_Click(); });
    exitButton = exit;
}

void GameWindow::seedFromClock() { Randomize(seam().secondsSinceMidnight()); }

void GameWindow::loadOptions() {
    if (options_) options_->Load();
}

void GameWindow::cmdHelp_Click() { seam().helpContext(helpContextID()); }

void GameWindow::cmdOptions_Click() {
    if (options_) options_->ShowModal();
}

void GameWindow::beginRunning() {
    if (exitButton) exitButton->setText("&Stop");
    for (QWidget* w : lockedWhileRunning)
        if (w) w->setEnabled(false);
}

void GameWindow::endRunning() {
    if (exitButton) exitButton->setText(exitCaption);
    for (QWidget* w : lockedWhileRunning)
        if (w) w->setEnabled(true);
}

void GameWindow::cmdexit_Click() {
    if (running()) {
        StopGame();
        return;
    }
    Unload();
    if (options_) options_->Unload();
    frmMenu::instance().Show();
}

OptionsDialog::OptionsDialog(const WindowSpec& spec) : FormWindow(spec.name, Kind::Dialog) {
    applyWindowSpec(*this, spec);
}

void OptionsDialog::cmdOK_Click() { Hide(); }

void OptionsDialog::Form_Unload(int&) { cmdOK_Click(); }
