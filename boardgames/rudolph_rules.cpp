#include "boardgames/rudolph_rules.h"

#include <algorithm>

#include "launcher/shared_routines.h"
#include "platform/vbmath.h"

RudolphRules::Settings RudolphRules::Settings::chosen() const {
    // The barn has nine doors, and a game needs two for there to be a choice.
    return {std::clamp(Count, kRudolphMinCount, kRudolphDoors), Peek == 1 ? 1 : 0};
}

void RudolphRules::newGame(const Settings& settings) {
    const Settings chosen = settings.chosen();
    Count = chosen.Count;
    GameOn = 1;
    for (int d = 1; d <= kRudolphDoors; ++d) Found[d] = 0;
    Shuffle(kRudolphDoors, Order.data());
    Guesses = 0;
    DoorsLeft = Count;
    Target = 0;
    Peeking = chosen.Peek;
}

void RudolphRules::closeDoors() { Peeking = 0; }

int RudolphRules::RandomOpenDoor(int N) const {
    const int k = Int(Rnd() * N) + 1;
    int seen = 0;
    for (int d = 1; d <= Count; ++d) {
        if (Found[d] != 0) continue;
        if (++seen == k) return d;
    }
    return 0;
}

int RudolphRules::Next_One(int N) {
    Target = RandomOpenDoor(N);
    return Order[Target];
}

DoorClick RudolphRules::pickDoor(int i) {
    DoorClick click;
    if (GameOn == 0 || Peeking != 0 || i < 1 || i > Count || Found[i] != 0) return click;
    Guesses += 1;
    if (i != Target) {
        click.outcome = DoorOutcome::Wrong;
        return click;
    }
    click.praise = Int(Rnd() * 3);
    Found[i] = 1;
    DoorsLeft -= 1;
    click.outcome = DoorsLeft == 0 ? DoorOutcome::LastFound : DoorOutcome::Right;
    return click;
}

void RudolphRules::endGame() {
    GameOn = 0;
    Peeking = 0;
}
