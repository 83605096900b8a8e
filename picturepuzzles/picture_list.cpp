#include "picturepuzzles/picture_list.h"

#include <algorithm>

#include "platform/vbmath.h"

QString pictureName(const std::string& fileName) {
    const std::size_t keep = fileName.size() > 4 ? fileName.size() - 4 : 0;
    return QString::fromStdString(fileName.substr(0, keep)).toUpper();
}

void setUpPictureList(FileListBox& filFiles, DropDownList& cboFiles, const std::string& folder) {
    filFiles.setPattern("*.wmf");
    filFiles.setPath(folder);
    cboFiles.Clear();
    for (int i = 0; i < filFiles.ListCount(); ++i) cboFiles.AddItem(pictureName(filFiles.List(i)));
    if (filFiles.ListCount() == 0) return;
    const int count = filFiles.ListCount();
    cboFiles.setListIndex(std::min(Int(Rnd() * count), count - 1));
}

std::optional<Metafile> loadSelectedPicture(const FileListBox& filFiles, const DropDownList& cboFiles) {
    const int index = cboFiles.ListIndex();
    if (index < 0 || index >= filFiles.ListCount()) return std::nullopt;
    std::string folder = filFiles.path();
    return Metafile::load(folder + filFiles.List(index));
}
