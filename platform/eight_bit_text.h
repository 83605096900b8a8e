#pragma once
// The program's data files are 8-bit text. A file the program wrote itself
// holds UTF-8; one written on Windows, or by a parent in an older editor, holds
// the Windows 8-bit character set (Windows-1252). Inside the program every
// text is UTF-8.
#include <string>
#include <string_view>

// Bytes that form valid UTF-8 are taken as UTF-8, anything else as
// Windows-1252. The result is UTF-8.
std::string textFromEightBit(std::string_view bytes);

// The bytes that stand for a UTF-8 text in a file: Windows-1252 when every
// character has a place in it and textFromEightBit gives the same text back,
// else the UTF-8 itself. Either way the text reads back as it was.
std::string eightBitFromText(std::string_view text);
