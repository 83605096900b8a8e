#include <QImage>
#include <algorithm>
#include <iterator>
#include <limits>
#include <string>

#include "platform/metafile_parser.h"

namespace wmf {

// Decodes an uncompressed device-independent bitmap (header, colour table, bits)
// into image, upright.
DibResult decodeDib(const std::uint8_t* p, std::size_t n, bool paletteIndices, QImage& image,
                    std::uint64_t& pixelBudget, std::string& why) {
    if (n < 40) {
        why = "bitmap header is truncated";
        return DibResult::Bad;
    }
    const std::uint32_t headerSize = u32(p);
    if (headerSize == 12) return DibResult::Unsupported;  // the old core header
    if (headerSize < 40 || headerSize > n) {
        why = "bitmap header size is wrong";
        return DibResult::Bad;
    }
    const std::int32_t width = s32(p + 4), height = s32(p + 8);
    const unsigned bits = u16(p + 14);
    const std::uint32_t compression = u32(p + 16), sizeImage = u32(p + 20), colorsUsed = u32(p + 32);
    if (width <= 0 || height == 0 || height == std::numeric_limits<std::int32_t>::min()) {
        why = "bitmap has no size";
        return DibResult::Bad;
    }
    if (compression != 0 || paletteIndices) return DibResult::Unsupported;
    if (bits != 1 && bits != 4 && bits != 8 && bits != 24 && bits != 32) return DibResult::Unsupported;
    const std::uint64_t w = static_cast<std::uint64_t>(width);
    const std::uint64_t h =
        static_cast<std::uint64_t>(height < 0 ? -static_cast<std::int64_t>(height) : height);
    if (w * h > pixelBudget) {
        why = "bitmap is too large";
        return DibResult::Bad;
    }
    const std::uint64_t paletteSize = bits <= 8 ? (colorsUsed ? colorsUsed : (1u << bits)) : colorsUsed;
    if (bits <= 8 && paletteSize > (1u << bits)) {
        why = "bitmap colour table is too long";
        return DibResult::Bad;
    }
    const std::uint64_t offBits = headerSize + 4 * paletteSize;
    if (offBits > n) {
        why = "bitmap colour table is truncated";
        return DibResult::Bad;
    }
    const std::uint64_t stride = (w * bits + 31) / 32 * 4;
    const std::uint64_t needed = stride * h, available = n - offBits;
    if (needed > available || (sizeImage != 0 && (sizeImage < needed || sizeImage > available))) {
        why = "bitmap's declared size does not match its data";
        return DibResult::Bad;
    }
    QRgb palette[256];
    std::fill(std::begin(palette), std::end(palette), qRgb(0, 0, 0));
    if (bits <= 8) {
        for (std::uint64_t i = 0; i < paletteSize; ++i) {
            const std::uint8_t* q = p + headerSize + 4 * i;
            palette[i] = qRgb(q[2], q[1], q[0]);
        }
    }
    QImage img(static_cast<int>(w), static_cast<int>(h), QImage::Format_RGB32);
    if (img.isNull()) {
        why = "bitmap does not fit in memory";
        return DibResult::Bad;
    }
    const bool topDown = height < 0;
    for (std::uint64_t r = 0; r < h; ++r) {
        const std::uint8_t* src = p + offBits + r * stride;
        auto* dst = reinterpret_cast<QRgb*>(img.scanLine(static_cast<int>(topDown ? r : h - 1 - r)));
        for (std::uint64_t x = 0; x < w; ++x) {
            switch (bits) {
                case 1:
                    dst[x] = palette[(src[x / 8] >> (7 - x % 8)) & 1];
                    break;
                case 4:
                    dst[x] = palette[(src[x / 2] >> (x % 2 ? 0 : 4)) & 15];
                    break;
                case 8:
                    dst[x] = palette[src[x]];
                    break;
                case 24:
                    dst[x] = qRgb(src[3 * x + 2], src[3 * x + 1], src[3 * x]);
                    break;
                default:
                    dst[x] = qRgb(src[4 * x + 2], src[4 * x + 1], src[4 * x]);
                    break;
            }
        }
    }
    pixelBudget -= w * h;
    image = std::move(img);
    return DibResult::Ok;
}

}  // namespace wmf
