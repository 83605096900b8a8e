#include "boardgames/optRudolph.h"

#include "boardgames/rudolph_rules.h"
#include "launcher/shared_settings.h"
#include "platform/button_column.h"
#include "platform/fonts.h"
#include "platform/number_spin.h"
#include "platform/option_column.h"
#include "platform/seam.h"
#include "platform/vbmath.h"

optRudolph::optRudolph() : OptionsDialog(kSpec) {}

optRudolph& optRudolph::instance() {
    static optRudolph dialog;
    return dialog;
}

RudolphRules::Settings optRudolph::stored() { return {gRudolphCount, gRudolphPeek}; }

void optRudolph::createControls() {
    Form* f = form();
    Frame3 = new Frame(f, "Frame3", "Peek at Reindeer?");
    placeTwips(Frame3, 120, 120, 2295, 1095);
    addOptionColumn(Frame3, "optPeek", {"Yes", "No"}, 240, 300, 360, 1815, optPeek,
                    [this](int i) { optPeek_Click(i); });

    Frame2 = new Frame(f, "Frame2", "Number of Reindeer");
    placeTwips(Frame2, 2640, 120, 2415, 1095);
    addNumberSpin(*this, Frame2, 480, 330);

    cmdOK = makeOkButton(f, 2040, 1335, [this] { cmdOK_Click(); });
}

void optRudolph::Form_Load() {
    centre();
    const RudolphRules::Settings chosen = stored().chosen();
    optPeek[static_cast<std::size_t>(1 - chosen.Peek)]->setValue(true);
    lblNumber->setCaption(QString::fromStdString(Format(chosen.Count, "#")));
}

void optRudolph::optPeek_Click(int Index) { gRudolphPeek = static_cast<std::int16_t>(1 - Index); }

void optRudolph::showCount() {
    lblNumber->setCaption(QString::fromStdString(Format(stored().chosen().Count, "#")));
    seam().repaintNow(lblNumber);
}

// A step goes from the count shown, which a count from outside the range (a
// settings file edited by hand) is shown as.
void optRudolph::SpinButton1_SpinUp() {
    const int count = stored().chosen().Count;
    if (count < kRudolphDoors) gRudolphCount = static_cast<std::int16_t>(count + 1);
    showCount();
}

void optRudolph::SpinButton1_SpinDown() {
    const int count = stored().chosen().Count;
    if (count > kRudolphMinCount) gRudolphCount = static_cast<std::int16_t>(count - 1);
    showCount();
}
