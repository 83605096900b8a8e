#pragma once
// The settings file "vantrel5.ini": twenty lines of items, read once at
// start-up into the shared settings and written back once at exit.
#include <string>
#include <string_view>

// Reads every shared setting from the text of the file. False, with the
// settings partly read, when an item is missing or not a 16-bit number. Names
// are 8-bit text (UTF-8 or the Windows character set) and come out as UTF-8.
bool parseSettings(std::string_view text);
// Reads the file; false when it cannot be read as readWholeFile reads (see
// parseSettings).
bool ReadSettings(const std::string& path);
// The twenty lines, each ending in CR LF. A name not changed since it was read
// goes back byte for byte; a changed one as eightBitFromText makes it.
std::string formatSettings();
// Saves the file as writeFileReplacing does; false, with errno telling why,
// when it could not be saved.
bool WriteSettings(const std::string& path);
// Brings values outside their ranges (a file edited by hand) back into range.
void ClampSettings();
