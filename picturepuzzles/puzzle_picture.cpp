#include "picturepuzzles/puzzle_picture.h"

#include <QPainter>

#include "picturepuzzles/picture_list.h"

QImage renderPuzzlePicture(const Metafile& picture, int side) {
    QImage image(side, side, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    picture.render(p, QRectF(0, 0, side, side), Metafile::Fit::Contain);
    return image;
}

void PuzzlePicture::load(const FileListBox& filFiles, const DropDownList& cboFiles) {
    picture_ = loadSelectedPicture(filFiles, cboFiles);
    image_ = QImage();
}

const QImage& PuzzlePicture::image(int side) {
    if (!picture_ || side <= 0) {
        image_ = QImage();
    } else if (image_.width() != side) {
        image_ = renderPuzzlePicture(*picture_, side);
    }
    return image_;
}
