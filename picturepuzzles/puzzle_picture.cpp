#include "picturepuzzles/puzzle_picture.h"

#include <QPainter>
#include <cmath>

#include "picturepuzzles/picture_list.h"

QImage renderPuzzlePicture(const Metafile& picture, int side, qreal ratio) {
    const int pixels = static_cast<int>(std::lround(side * ratio));
    QImage image(pixels, pixels, QImage::Format_RGB32);
    image.setDevicePixelRatio(ratio);
    image.fill(Qt::white);
    QPainter p(&image);
    picture.render(p, QRectF(0, 0, side, side), Metafile::Fit::Contain);
    return image;
}

void PuzzlePicture::load(const FileListBox& filFiles, const DropDownList& cboFiles) {
    picture_ = loadSelectedPicture(filFiles, cboFiles);
    image_ = QImage();
}

const QImage& PuzzlePicture::image(int side, qreal ratio) {
    if (!picture_ || side <= 0) {
        image_ = QImage();
    } else if (image_.isNull() || side != side_ || ratio != image_.devicePixelRatio()) {
        image_ = renderPuzzlePicture(*picture_, side, ratio);
        side_ = side;
    }
    return image_;
}
