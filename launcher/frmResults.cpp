#include "launcher/frmResults.h"

#include "platform/button_column.h"
#include "platform/fonts.h"
#include "platform/units.h"

frmResults::frmResults() : FormWindow("frmResults", Kind::Dialog) {
    setClientSize(5790, 3060);
    setBackColor(0x00C0C0C0);
    setHelpContextID(3);
}

frmResults& frmResults::instance() {
    static frmResults dialog;
    return dialog;
}

void frmResults::createControls() {
    Form* f = form();
    // The dialog can be resized, unlike the other windows.
    f->setMinimumSize(0, 0);
    f->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    f->resize(twipsToPixels(5790), twipsToPixels(3060));
    const QFont big = vbFont("Arial", 14.25, true);
    Label1[0] = new Label(f, "Label1_0");
    placeTwips(Label1[0], 120, 120, 5652, 372);
    Label1[1] = new Label(f, "Label1_1");
    placeTwips(Label1[1], 120, 600, 5532, 372);
    for (Label* l : Label1) {
        l->setFont(big);
        l->setForeColor(Qt::black);
        l->setTransparent(true);
    }
    Shape1 = new Shape(f, "Shape1");
    placeTwips(Shape1, 840, 1080, 4092, 1212);
    const int left[4] = {960, 2880, 960, 2880};
    const int top[4] = {1200, 1200, 1680, 1680};
    for (int i = 0; i < 4; ++i) {
        Label* l = new Label(f, QString("lblWin_%1").arg(i));
        placeTwips(l, left[i], top[i], 1932, 492);
        l->setFont(big);
        l->setForeColor(Qt::white);
        l->setBackColor(bgrColor(0x00FF0000));
        l->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
        lblWin[static_cast<std::size_t>(i)] = l;
    }
    cmdOK = makeOkButton(f, 2400, 2520, [this] { cmdOK_Click(); });
}

void frmResults::Form_Load() { centre(); }

void frmResults::cmdOK_Click() { Unload(); }

void ShowResults(const std::string& Title, const std::string& Line1, const std::string& Line2, int NumPlayers,
                 const int* Finished, const std::string* Names, int HelpID) {
    frmResults& d = frmResults::instance();
    d.Load();
    d.setHelpContextID(HelpID);
    d.setCaption(QString::fromStdString(Title));
    d.Label1[0]->setCaption(QString::fromStdString(Line1));
    d.Label1[1]->setCaption(QString::fromStdString(Line2));
    int k = 0;
    // Room for four finishers; a caller passing more players shows the first four.
    for (int i = 1; i <= NumPlayers && k < 4; ++i) {
        if (Finished[i] != 0) {
            d.lblWin[static_cast<std::size_t>(k)]->setCaption(QString::fromStdString(Names[i]));
            ++k;
        }
    }
    d.ShowModal();
}
