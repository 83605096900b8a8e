#pragma once
// The picture of a puzzle as both puzzles show it and cut their pieces from
// it: the whole picture, however its box is shaped, fitted into a square so
// that nothing of it is cut off, and drawn only once for a board, since a
// picture may be costly to draw.
#include <QImage>
#include <optional>

#include "platform/drop_down_list.h"
#include "platform/file_list_box.h"
#include "platform/metafile.h"

// The picture side pixels square: scaled to fit whole and centred, on white
// where it does not reach (a picture wider than tall leaves bands above and
// below it); drawn at the given density, for a board on a scaled screen.
QImage renderPuzzlePicture(const Metafile& picture, int side, qreal ratio = 1);

// The picture of the selected entry of a picture list, and its drawing.
class PuzzlePicture {
public:
    // Reads the selected entry's file; afterwards there is no picture when
    // none is selected or the file cannot be read as one.
    void load(const FileListBox& filFiles, const DropDownList& cboFiles);
    bool has_value() const { return picture_.has_value(); }
    explicit operator bool() const { return has_value(); }
    // The drawing side pixels square at the given density (a null image
    // without a picture or a side), drawn again only when the side or the
    // density differs from the last one asked for.
    const QImage& image(int side, qreal ratio);

private:
    std::optional<Metafile> picture_;
    QImage image_;
    int side_ = 0;
};
