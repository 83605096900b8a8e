#include "launcher/settings.h"

#include <algorithm>
#include <cstdint>
#include <functional>
#include <vector>

#include "launcher/item_reader.h"
#include "launcher/shared_settings.h"
#include "platform/data_file.h"
#include "platform/eight_bit_text.h"

namespace {

// One item of the file, in file order, with the line it stands on.
struct Item {
    int line;
    std::int16_t* number;  // or
    std::string* text;
};

const std::vector<Item>& items() {
    static const std::vector<Item> list = {
        {1, &gMatchPlayers, nullptr},     {1, &gMatchPairs, nullptr},        {1, &gMatchVsComputer, nullptr},
        {1, &gMatchDifficulty, nullptr},  {2, &gRudolphPeek, nullptr},       {2, &gRudolphCount, nullptr},
        {3, &gTrimPlayers, nullptr},      {3, &gTrimDifficulty, nullptr},    {3, &gTrimFirst, nullptr},
        {4, &gFrostyPlayers, nullptr},    {5, nullptr, &gFrostyNames[1]},    {6, nullptr, &gFrostyNames[2]},
        {7, nullptr, &gFrostyNames[3]},   {8, nullptr, &gFrostyNames[4]},    {9, &gPuzzleSize, nullptr},
        {10, &gSledAbility, nullptr},     {11, &gFightPlayers, nullptr},     {11, &gFightBalls, nullptr},
        {11, &gFightDifficulty, nullptr}, {12, &gSnowComputerWord, nullptr}, {13, &gSPuzSize, nullptr},
        {13, &gSPuzDifficulty, nullptr},  {14, &gMancPlayers, nullptr},      {14, &gMancDifficulty, nullptr},
        {14, &gMancFirst, nullptr},       {15, &gDropHighScore, nullptr},    {16, &gDreidPlayers, nullptr},
        {17, nullptr, &gDreidNames[1]},   {18, nullptr, &gDreidNames[2]},    {19, nullptr, &gDreidNames[3]},
        {20, nullptr, &gDreidNames[4]},
    };
    return list;
}

// A name as the file held it and as it was shown: while the name is not
// changed, its bytes go back to the file exactly as they came.
struct ReadName {
    const std::string* name;
    std::string bytes, shown;
};
std::vector<ReadName> readNames;

// The file has no escape for a double quote: one inside a name would end the
// item early and shift every later item, so it is stored as an apostrophe.
std::string storableName(const std::string& name) {
    std::string s = name;
    std::replace(s.begin(), s.end(), '"', '\'');
    return s;
}

std::string nameBytes(const std::string& name) {
    for (const ReadName& read : readNames)
        if (read.name == &name && read.shown == name) return read.bytes;
    return eightBitFromText(name);
}

void clamp(std::int16_t& v, int lo, int hi) { v = static_cast<std::int16_t>(std::clamp<int>(v, lo, hi)); }

}  // namespace

bool parseSettings(std::string_view text) {
    readNames.clear();
    ItemReader reader(text);
    for (const Item& item : items()) {
        auto raw = reader.next();
        if (!raw) return false;
        if (item.number) {
            auto value = parseInt16Item(*raw);
            if (!value) return false;
            *item.number = *value;
        } else {
            *item.text = textFromEightBit(*raw);
            readNames.push_back({item.text, *raw, *item.text});
        }
    }
    return true;
}

bool ReadSettings(const std::string& path) {
    auto text = readWholeFile(path);
    return text && parseSettings(*text);
}

std::string formatSettings() {
    std::string out;
    int line = 1;
    bool first = true;
    for (const Item& item : items()) {
        if (item.line != line) {
            out += "\r\n";
            line = item.line;
            first = true;
        }
        if (!first) out += ',';
        first = false;
        if (item.number)
            out += std::to_string(*item.number);
        else
            out += '"' + storableName(nameBytes(*item.text)) + '"';
    }
    return out + "\r\n";
}

bool WriteSettings(const std::string& path) { return writeFileReplacing(path, formatSettings()); }

void ClampSettings() {
    clamp(gMatchPlayers, 1, 2);
    clamp(gMatchPairs, 2, 15);
    clamp(gMatchVsComputer, 0, 1);
    clamp(gMatchDifficulty, 1, 4);
    clamp(gRudolphPeek, 0, 1);
    clamp(gRudolphCount, 2, 9);
    clamp(gTrimPlayers, 1, 2);
    clamp(gTrimDifficulty, 1, 4);
    clamp(gTrimFirst, 0, 1);
    clamp(gFrostyPlayers, 1, 4);
    clamp(gPuzzleSize, 0, 2);
    clamp(gSledAbility, 1, 6);
    clamp(gFightPlayers, 1, 2);
    clamp(gFightBalls, 1, 30);
    clamp(gFightDifficulty, 1, 4);
    clamp(gSnowComputerWord, 0, 1);
    clamp(gSPuzSize, 0, 3);
    clamp(gSPuzDifficulty, 0, 3);
    clamp(gMancPlayers, 1, 2);
    clamp(gMancDifficulty, 1, 4);
    clamp(gMancFirst, 0, 1);
    clamp(gDropHighScore, 0, 32767);
    clamp(gDreidPlayers, 1, 4);
}
