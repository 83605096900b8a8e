#pragma once
// The settings file "vantrel5.ini": twenty lines of items, read once at
// start-up into the shared settings and written back once at exit.
#include <string>
#include <string_view>

// Reads every shared setting from the text of the file. False, with the
// settings partly read, when an item is missing or not a 16-bit number.
bool parseSettings(std::string_view text);
// Reads the file; false when it cannot be read as readWholeFile reads (see
// parseSettings).
bool ReadSettings(const std::string& path);
// The twenty lines, each ending in CR LF.
std::string formatSettings();
// Saves the file as writeFileReplacing does; false when it could not be saved.
bool WriteSettings(const std::string& path);
// Brings values outside their ranges (a file edited by hand) back into range.
void ClampSettings();
