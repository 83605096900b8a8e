#pragma once
// The puzzle pictures: every ".wmf" file in the program's folder, offered by
// name in a drop-down list. Both picture puzzles set theirs up the same way.
#include <QString>
#include <optional>
#include <string>

#include "platform/drop_down_list.h"
#include "platform/file_list_box.h"
#include "platform/metafile.h"

// The name a picture file is listed under: the file name without its last
// four characters (the ".wmf"), in upper case; "x.y.wmf" is listed as X.Y.
QString pictureName(const std::string& fileName);

// filFiles lists the picture files of folder; cboFiles gets one entry a file,
// in the same order. Then one entry is drawn at random (Int(Rnd x count), one
// draw; none when there is no picture) and selected, which runs cboFiles's
// click handler.
void setUpPictureList(FileListBox& filFiles, DropDownList& cboFiles, const std::string& folder);

// The picture of the selected entry, read from its own file (whose name need
// not be upper case); nothing when no entry is selected or the file cannot be
// read as a picture.
std::optional<Metafile> loadSelectedPicture(const FileListBox& filFiles, const DropDownList& cboFiles);
