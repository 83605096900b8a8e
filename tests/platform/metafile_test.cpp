#include "platform/metafile.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QPoint>
#include <QSet>
#include <cstdint>
#include <initializer_list>
#include <optional>
#include <string>
#include <vector>

#include "platform/units.h"
#include "support/costly_pictures.h"
#include "support/temp_dir.h"
#include "support/wmf_writer.h"

namespace {

// A device-independent bitmap: rows given top first, stored bottom-up (or
// top-down when asked), pixels as palette indices or as 0xRRGGBB.
Bytes dib(int w, const std::vector<std::vector<std::uint32_t>>& rows, int bits,
          const std::vector<QRgb>& palette = {}, bool topDown = false) {
    const int h = static_cast<int>(rows.size());
    const int stride = (w * bits + 31) / 32 * 4;
    Bytes b;
    put32(b, 40);
    put32(b, static_cast<std::uint32_t>(w));
    put32(b, static_cast<std::uint32_t>(topDown ? -h : h));
    put16(b, 1);
    put16(b, bits);
    put32(b, 0);
    put32(b, static_cast<std::uint32_t>(stride * h));
    put32(b, 0), put32(b, 0);
    put32(b, static_cast<std::uint32_t>(palette.size()));
    put32(b, 0);
    for (QRgb c : palette)
        b.push_back(qBlue(c)), b.push_back(qGreen(c)), b.push_back(qRed(c)), b.push_back(0);
    for (int r = 0; r < h; ++r) {
        const auto& row = rows[topDown ? r : h - 1 - r];
        Bytes line(stride, 0);
        for (int x = 0; x < w; ++x) {
            const std::uint32_t v = row[x];
            switch (bits) {
                case 1:
                    line[x / 8] |= static_cast<std::uint8_t>((v & 1) << (7 - x % 8));
                    break;
                case 4:
                    line[x / 2] |= static_cast<std::uint8_t>((v & 15) << (x % 2 ? 0 : 4));
                    break;
                case 8:
                    line[x] = static_cast<std::uint8_t>(v);
                    break;
                default:
                    line[x * bits / 8] = v & 0xFF;
                    line[x * bits / 8 + 1] = (v >> 8) & 0xFF;
                    line[x * bits / 8 + 2] = (v >> 16) & 0xFF;
            }
        }
        b.insert(b.end(), line.begin(), line.end());
    }
    return b;
}

std::optional<Metafile> parse(const Bytes& b, std::string* error = nullptr) {
    return Metafile::parse(b.data(), b.size(), error);
}

QImage draw(const Metafile& m, QSize size = QSize(100, 100), QColor background = Qt::white,
            Metafile::Fit fit = Metafile::Fit::Stretch, QRectF target = QRectF()) {
    QImage img(size, QImage::Format_RGB32);
    img.fill(background);
    QPainter p(&img);
    m.render(p, target.isNull() ? QRectF(QPointF(0, 0), QSizeF(size)) : target, fit);
    p.end();
    return img;
}

QImage drawBytes(const Bytes& b, QSize size = QSize(100, 100)) {
    std::string error;
    const auto m = parse(b, &error);
    EXPECT_TRUE(m) << error;
    return m ? draw(*m, size) : QImage();
}

QRgb at(const QImage& img, int x, int y) { return img.pixel(x, y) & 0xFFFFFF; }
constexpr QRgb kWhite = 0xFFFFFF, kRed = 0xFF0000, kGreen = 0x00FF00, kBlue = 0x0000FF;
// 0x00BBGGRR values of the same colours.
constexpr std::uint32_t kRedRef = 0x0000FF, kGreenRef = 0x00FF00, kBlueRef = 0xFF0000;

// ---------------------------------------------------------------------------

TEST(MetafileHeader, ReadsBoundsUnitsAndNaturalSize) {
    const auto m = parse(Wmf(0, 0, 1950, 1710, 2880).bytes());
    ASSERT_TRUE(m);
    EXPECT_EQ(m->bounds(), QRectF(0, 0, 1950, 1710));
    EXPECT_EQ(m->unitsPerInch(), 2880);
    EXPECT_EQ(m->sizeInTwips(), QSizeF(975, 855));

    // A box written right to left and bottom to top is the same box.
    const auto flipped = parse(Wmf(100, 80, -20, 10).bytes());
    ASSERT_TRUE(flipped);
    EXPECT_EQ(flipped->bounds(), QRectF(-20, 10, 120, 70));

    // Copies share the picture.
    const Metafile copy = *m;
    EXPECT_EQ(copy.bounds(), m->bounds());
}

TEST(MetafileHeader, RefusesWhatIsNotAPlaceableMetafile) {
    const Bytes good = Wmf().bytes();
    auto expectRefused = [](const Bytes& b, const std::string& reason) {
        std::string error;
        EXPECT_FALSE(parse(b, &error)) << reason;
        EXPECT_NE(error.find(reason), std::string::npos) << "got: " << error;
    };
    expectRefused({}, "too short");
    expectRefused(Bytes(good.begin(), good.begin() + 30), "too short");

    Bytes wrongKey = good;
    wrongKey[0] ^= 1;
    expectRefused(wrongKey, "key");

    Bytes badSum = good;
    badSum[10] ^= 0x40;  // the box changes but the checksum does not
    expectRefused(badSum, "checksum");

    expectRefused(Wmf(0, 0, 100, 100, 0).bytes(), "units per inch");
    expectRefused(Wmf(5, 0, 5, 100).bytes(), "empty");
    expectRefused(Wmf(0, 7, 100, 7).bytes(), "empty");

    Bytes badType = good;
    badType[22] = 7;
    expectRefused(badType, "header");
    Bytes badHeaderSize = good;
    badHeaderSize[24] = 12;
    expectRefused(badHeaderSize, "header");

    std::string error;
    EXPECT_FALSE(Metafile::parse(nullptr, 100, &error));
    EXPECT_FALSE(error.empty());
    EXPECT_FALSE(Metafile::load(QDir::temp().filePath("no-such-picture.wmf"), &error));
    EXPECT_FALSE(error.empty());

    // A file far larger than any picture is refused before it is read.
    TempDir dir;
    QFile huge(QString::fromStdString(dir.file("huge.wmf")));
    ASSERT_TRUE(huge.open(QIODevice::WriteOnly));
    huge.write(reinterpret_cast<const char*>(good.data()), static_cast<qint64>(good.size()));
    huge.resize(40 * 1024 * 1024);
    huge.close();
    EXPECT_FALSE(Metafile::load(huge.fileName(), &error));
    EXPECT_NE(error.find("too large"), std::string::npos) << error;
}

TEST(MetafileRecords, RefusesMalformedRecordsWithAReason) {
    const Bytes pixels = dib(2, {{0xFF0000, 0x00FF00}, {0x0000FF, 0xFFFFFF}}, 24);
    Bytes shortBits = pixels;
    shortBits.resize(shortBits.size() - 4);
    Bytes wrongSizeImage = pixels;
    wrongSizeImage[20] = 200;  // declares more bits than the record holds
    Bytes hugeBitmap = pixels;
    hugeBitmap[6] = 0x10, hugeBitmap[10] = 0x10;  // 1,048,578 by 1,048,578
    Bytes noWidth = pixels;
    noWidth[4] = 0;
    Bytes badHeaderSize = pixels;
    badHeaderSize[0] = 100;
    Bytes overlongPalette = dib(2, {{0, 1}}, 1, {0, 0, 0});

    Wmf tooManySaves;
    for (int i = 0; i < 1100; ++i) tooManySaves.rec(0x001E, {});

    Bytes polyPolygonCounts;
    put16(polyPolygonCounts, 2);
    put16(polyPolygonCounts, 3);
    put16(polyPolygonCounts, 40000);

    const struct {
        const char* name;
        const char* reason;
        Bytes data;
    } cases[] = {
        {"no end-of-file record", "ends before", Wmf().rect(0, 0, 5, 5).bytes(false)},
        {"record size zero", "too small", Wmf().sized(0, 0x041B).bytes()},
        {"record size under a header", "too small", Wmf().sized(2, 0x041B).bytes()},
        {"record past the end", "past the end", Wmf().sized(5000, 0x041B).bytes()},
        {"half a record header", "ends before",
         [] {
             Bytes b = Wmf().bytes(false);
             b.push_back(3);
             return b;
         }()},
        {"rectangle without corners", "too short", Wmf().rec(0x041B, {1, 2}).bytes()},
        {"polygon longer than its record", "too short", Wmf().rec(0x0324, {50, 0, 0, 10, 10}).bytes()},
        {"polygon with a negative count", "negative", Wmf().rec(0x0324, {-3, 0, 0}).bytes()},
        {"poly-polygon counts beyond the data", "too short", Wmf().raw(0x0538, polyPolygonCounts).bytes()},
        {"text longer than its record", "too short", Wmf().rec(0x0521, {30, 0x4948, 5, 5}).bytes()},
        {"extended text missing its rectangle", "too short", Wmf().rec(0x0A32, {5, 5, 0, 0x0004}).bytes()},
        {"font record cut short", "too short", Wmf().rec(0x02FB, {-12, 0, 0}).bytes()},
        {"pen record cut short", "too short", Wmf().rec(0x02FA, {0, 1}).bytes()},
        {"select beyond the object table", "out of range",
         Wmf(0, 0, 100, 100, 1440, 2).solid(0).select(2).bytes()},
        {"delete beyond the object table", "out of range", Wmf(0, 0, 100, 100, 1440, 2).remove(9).bytes()},
        {"more objects than the table holds", "object table",
         Wmf(0, 0, 100, 100, 1440, 1).solid(0).solid(0).bytes()},
        {"zero window extent", "zero extent", Wmf().windowExt(0, 100).bytes()},
        {"zero viewport extent", "zero extent", Wmf().rec(0x020E, {0, 50}).bytes()},
        {"bitmap shorter than declared", "does not match",
         Wmf().stretchDib(0, 0, 10, 10, 2, 2, shortBits).bytes()},
        {"bitmap size field disagrees", "does not match",
         Wmf().stretchDib(0, 0, 10, 10, 2, 2, wrongSizeImage).bytes()},
        {"absurd bitmap", "too large", Wmf().stretchDib(0, 0, 10, 10, 2, 2, hugeBitmap).bytes()},
        {"bitmap without width", "no size", Wmf().stretchDib(0, 0, 10, 10, 2, 2, noWidth).bytes()},
        {"bitmap header size beyond the record", "header size",
         Wmf().stretchDib(0, 0, 10, 10, 2, 2, badHeaderSize).bytes()},
        {"colour table longer than the bit depth allows", "colour table",
         Wmf().stretchDib(0, 0, 10, 10, 2, 1, overlongPalette).bytes()},
        {"saved states without end", "saved states", tooManySaves.bytes()},
    };
    for (const auto& c : cases) {
        std::string error;
        EXPECT_FALSE(parse(c.data, &error)) << c.name;
        EXPECT_NE(error.find(c.reason), std::string::npos) << c.name << ": " << error;
    }
}

TEST(MetafileRecords, SkipsWhatItDoesNotDrawAndGoesOn) {
    Bytes rle = dib(2, {{1, 0}, {0, 1}}, 8, {0, 0xFFFFFF});
    rle[16] = 1;  // run-length encoded: not drawn
    Bytes sixteenBit = dib(2, {{0, 0}}, 24);
    sixteenBit[14] = 16;
    const Bytes b = Wmf(0, 0, 100, 100, 1440, 2)
                        .rec(0x0626, {15, 4, 0x1234, 0x5678})                    // an escape
                        .rec(0x0415, {10, 10, 0, 0})                             // a clip change
                        .rec(0x0B41, {0x20, 0xCC, 1, 1, 0, 0, 0, 10, 10, 0, 0})  // a pattern blit
                        .stretchDib(0, 0, 100, 100, 2, 2, rle)
                        .stretchDib(0, 0, 100, 100, 2, 1, sixteenBit)
                        .select(1)  // an empty slot: nothing changes
                        .remove(1)
                        .rec(0x0127, {-5})  // nothing saved to restore
                        .solid(kRedRef)
                        .select(0)
                        .rect(20, 20, 80, 80)
                        .bytes();
    const QImage img = drawBytes(b);
    EXPECT_EQ(at(img, 50, 50), kRed);
    EXPECT_EQ(at(img, 5, 5), kWhite);
}

TEST(MetafileBounds, EachCostlyShapeIsReadUpToItsBoundAndRefusedPastIt) {
    for (const CostlyShape& shape : costlyShapes()) {
        const int k = mostAccepted(costlyPicture(), shape);
        EXPECT_GT(k, 0) << shape.name;
        std::string error;
        const auto worst = parse(withShape(costlyPicture(), shape, k), &error);
        ASSERT_TRUE(worst) << shape.name << ": " << error;
        const QImage board = draw(*worst, QSize(273, 273));
        EXPECT_NE(board, draw(*parse(costlyPicture().bytes()), QSize(273, 273)))
            << shape.name << " draws nothing";
        EXPECT_FALSE(parse(withShape(costlyPicture(), shape, k + 1), &error)) << shape.name;
        EXPECT_NE(error.find(shape.reason), std::string::npos) << shape.name << ": " << error;
    }

    // Files like those that once kept a puzzle from opening for seconds on end.
    const auto refused = [](const char* shape, int k) {
        return !parse(withShape(costlyPicture(), costlyShape(shape), k)).has_value();
    };
    EXPECT_TRUE(refused("self-intersecting polygon", 32000));
    EXPECT_TRUE(refused("wide round-joined pen", 16000));
    EXPECT_TRUE(refused("tiny hatched ellipses", 20000));
    EXPECT_FALSE(parse(
        costlyPicture().pen(1, 0, 0).select(0).rec(0x0214, {0, -32000}).rec(0x0213, {1000, 32000}).bytes()))
        << "a dashed line along huge coordinates";
}

TEST(MetafileDrawing, WindowMapsOntoTheBoundingBox) {
    // Window 1000..1010 across the box: a rectangle over its first half fills the top left quarter.
    QImage img = drawBytes(Wmf()
                               .windowOrg(1000, 2000)
                               .windowExt(10, 10)
                               .solid(kRedRef)
                               .select(0)
                               .nullPen(1)
                               .rect(1000, 2000, 1005, 2005)
                               .bytes());
    EXPECT_EQ(at(img, 25, 25), kRed);
    EXPECT_EQ(at(img, 75, 25), kWhite);
    EXPECT_EQ(at(img, 25, 75), kWhite);

    // A negative extent turns the picture upside down.
    img = drawBytes(Wmf()
                        .windowOrg(0, 10)
                        .windowExt(10, -10)
                        .solid(kBlueRef)
                        .select(0)
                        .nullPen(1)
                        .rect(0, 0, 5, 5)
                        .bytes());
    EXPECT_EQ(at(img, 25, 75), kBlue);
    EXPECT_EQ(at(img, 25, 25), kWhite);

    // The viewport moves and scales inside the box.
    img = drawBytes(Wmf()
                        .windowExt(10, 10)
                        .rec(0x020E, {50, 50})
                        .rec(0x020D, {50, 50})
                        .solid(kGreenRef)
                        .select(0)
                        .nullPen(1)
                        .rect(0, 0, 10, 10)
                        .bytes());
    EXPECT_EQ(at(img, 75, 75), kGreen);
    EXPECT_EQ(at(img, 25, 25), kWhite);
    EXPECT_EQ(at(img, 75, 25), kWhite);
}

TEST(MetafileDrawing, NewObjectsTakeTheLowestFreeSlotAndStatesRestore) {
    const QImage img = drawBytes(Wmf()
                                     .solid(kRedRef)    // slot 0
                                     .solid(kBlueRef)   // slot 1
                                     .remove(0)         // frees slot 0
                                     .solid(kGreenRef)  // takes slot 0 again
                                     .pen(5, 0, 0)      // slot 2
                                     .select(2)
                                     .select(0)
                                     .rect(0, 0, 50, 50)
                                     .select(1)
                                     .rect(50, 0, 100, 50)
                                     .rec(0x001E, {})  // save: blue
                                     .select(0)
                                     .rec(0x001E, {})  // save: green
                                     .windowExt(200, 200)
                                     .rec(0x0127, {1})  // back to the first save
                                     .rect(0, 50, 50, 100)
                                     .bytes());
    EXPECT_EQ(at(img, 25, 25), kGreen);
    EXPECT_EQ(at(img, 75, 25), kBlue);
    // Blue again, and the window as it was, so the rectangle fills its whole quarter.
    EXPECT_EQ(at(img, 25, 75), kBlue);
    EXPECT_EQ(at(img, 45, 95), kBlue);
    EXPECT_EQ(at(img, 75, 75), kWhite);
}

TEST(MetafileDrawing, FillModesBrushesAndPens) {
    const std::vector<std::vector<QPoint>> nested = {{{10, 10}, {90, 10}, {90, 90}, {10, 90}},
                                                     {{30, 30}, {70, 30}, {70, 70}, {30, 70}}};
    // Alternate leaves a hole where the squares overlap; winding fills it.
    QImage img = drawBytes(Wmf().solid(kRedRef).select(0).nullPen(1).polyPolygon(nested).bytes());
    EXPECT_EQ(at(img, 20, 20), kRed);
    EXPECT_EQ(at(img, 50, 50), kWhite);
    img = drawBytes(Wmf().solid(kRedRef).select(0).nullPen(1).rec(0x0106, {2}).polyPolygon(nested).bytes());
    EXPECT_EQ(at(img, 50, 50), kRed);

    // A hollow brush keeps the inside; a pen of width 10 units draws a band that wide.
    img = drawBytes(Wmf().brush(1, 0).select(0).pen(0, 10, kBlueRef).select(1).rect(20, 20, 80, 80).bytes());
    EXPECT_EQ(at(img, 50, 50), kWhite);
    EXPECT_EQ(at(img, 20, 50), kBlue);
    EXPECT_EQ(at(img, 16, 50), kBlue);
    EXPECT_EQ(at(img, 12, 50), kWhite);

    // The default pen is black and at least one pixel wide, however small the picture is drawn.
    img = drawBytes(Wmf(0, 0, 10000, 10000).rec(0x0214, {5000, 0}).rec(0x0213, {5000, 10000}).bytes());
    int dark = 0;
    for (int x = 0; x < 100; ++x) dark += qGray(img.pixel(x, 50)) < 160 || qGray(img.pixel(x, 49)) < 160;
    EXPECT_EQ(dark, 100);

    // A hatched brush with an opaque background: background colour between the lines.
    img = drawBytes(
        Wmf().brush(2, kRedRef, 4).select(0).nullPen(1).rec(0x0201, {0, 0xFF}).rect(0, 0, 100, 100).bytes());
    QSet<QRgb> colours;
    for (int x = 10; x < 30; ++x) colours.insert(at(img, x, 50));
    EXPECT_TRUE(colours.contains(kBlue));
    EXPECT_FALSE(colours.contains(kWhite));
}

TEST(MetafileDrawing, ArcsRunCounterclockwiseFromStartToEnd) {
    // From the east radial to the north one: the top right quarter.
    QImage img = drawBytes(
        Wmf().solid(kRedRef).select(0).nullPen(1).rec(0x081A, {0, 50, 50, 100, 100, 100, 0, 0}).bytes());
    EXPECT_EQ(at(img, 70, 30), kRed);
    EXPECT_EQ(at(img, 30, 30), kWhite);
    EXPECT_EQ(at(img, 30, 70), kWhite);
    EXPECT_EQ(at(img, 70, 70), kWhite);

    // From north to east is the other three quarters.
    img = drawBytes(
        Wmf().solid(kRedRef).select(0).nullPen(1).rec(0x081A, {50, 100, 0, 50, 100, 100, 0, 0}).bytes());
    EXPECT_EQ(at(img, 70, 30), kWhite);
    EXPECT_EQ(at(img, 30, 30), kRed);
    EXPECT_EQ(at(img, 70, 70), kRed);

    // A chord from east to west over the top: the upper half, cut by a straight line.
    img = drawBytes(
        Wmf().solid(kBlueRef).select(0).nullPen(1).rec(0x0830, {50, 0, 50, 100, 100, 100, 0, 0}).bytes());
    EXPECT_EQ(at(img, 50, 20), kBlue);
    EXPECT_EQ(at(img, 50, 60), kWhite);

    // The same radial twice: the whole ellipse.
    img = drawBytes(
        Wmf().solid(kBlueRef).select(0).nullPen(1).rec(0x081A, {50, 100, 50, 100, 100, 100, 0, 0}).bytes());
    EXPECT_EQ(at(img, 30, 30), kBlue);
    EXPECT_EQ(at(img, 70, 70), kBlue);
}

TEST(MetafileDrawing, BitmapsAreDecodedUprightAtEveryDepth) {
    // Top row red, green; bottom row blue, white.
    const std::vector<std::vector<std::uint32_t>> rgb = {{0xFF0000, 0x00FF00}, {0x0000FF, 0xFFFFFF}};
    const std::vector<std::vector<std::uint32_t>> indices = {{1, 2}, {3, 0}};
    const std::vector<QRgb> palette = {0xFFFFFF, 0xFF0000, 0x00FF00, 0x0000FF};
    const struct {
        const char* name;
        Bytes bits;
    } cases[] = {
        {"24 bits", dib(2, rgb, 24)},
        {"32 bits", dib(2, rgb, 32)},
        {"8 bits", dib(2, indices, 8, palette)},
        {"4 bits", dib(2, indices, 4, palette)},
        {"top-down", dib(2, rgb, 24, {}, true)},
    };
    for (const auto& c : cases) {
        const QImage img = drawBytes(Wmf().stretchDib(0, 0, 100, 100, 2, 2, c.bits).bytes());
        EXPECT_EQ(at(img, 20, 20), kRed) << c.name;
        EXPECT_EQ(at(img, 80, 20), kGreen) << c.name;
        EXPECT_EQ(at(img, 20, 80), kBlue) << c.name;
        EXPECT_EQ(at(img, 80, 80), kWhite) << c.name;
    }

    // One bit a pixel, with a row wider than a byte.
    std::vector<std::uint32_t> row(10, 0);
    row[9] = 1;
    QImage img =
        drawBytes(Wmf().stretchDib(0, 0, 100, 100, 10, 1, dib(10, {row}, 1, {0x000000, 0xFFFF00})).bytes());
    EXPECT_EQ(at(img, 95, 50), 0xFFFF00u);
    EXPECT_EQ(at(img, 85, 50), 0x000000u);

    // A negative destination width mirrors the bitmap.
    img = drawBytes(Wmf().stretchDib(100, 0, -100, 100, 2, 2, dib(2, rgb, 24)).bytes());
    EXPECT_EQ(at(img, 20, 20), kGreen);
    EXPECT_EQ(at(img, 80, 20), kRed);

    // StretchDIB counts a bottom-up bitmap's source from its lower left corner, DIBStretchBlt
    // from its upper left corner.
    img = drawBytes(Wmf().stretchDib(0, 0, 100, 100, 2, 1, dib(2, rgb, 24)).bytes());
    EXPECT_EQ(at(img, 20, 20), kBlue);
    Bytes p;
    put32(p, 0x00CC0020);
    for (int v : {1, 1, 0, 1, 100, 100, 0, 0}) put16(p, v);
    const Bytes bits = dib(2, rgb, 24);
    p.insert(p.end(), bits.begin(), bits.end());
    img = drawBytes(Wmf().raw(0x0B41, p).bytes());
    EXPECT_EQ(at(img, 50, 50), kGreen);
    EXPECT_EQ(at(img, 5, 95), kGreen);
}

TEST(MetafileDrawing, TextIsDrawnInTheTextColourAtItsAlignment) {
    Bytes font;
    for (int v : {-40, 0, 0, 0, 700}) put16(font, v);
    for (int i = 0; i < 8; ++i) font.push_back(0);
    for (char c : std::string("Arial")) font.push_back(static_cast<std::uint8_t>(c));
    font.push_back(0);
    const Bytes b = Wmf()
                        .raw(0x02FB, font)
                        .select(0)
                        .rec(0x0209, {0xFF, 0})            // red text
                        .rec(0x0102, {1})                  // transparent background
                        .rec(0x0521, {2, 0x4848, 10, 10})  // "HH" with its top at (10, 10)
                        .rec(0x012E, {24 | 2})             // baseline, right
                        .rec(0x0201, {0, 0xFF})            // blue background
                        .rec(0x0A32, {95, 95, 2, 0x0002, 50, 60, 100, 100, 0x4848})
                        .bytes();
    const QImage img = drawBytes(b);
    int redTop = 0, redElsewhere = 0;
    for (int y = 0; y < 100; ++y) {
        for (int x = 0; x < 100; ++x) {
            const QRgb c = at(img, x, y);
            if (qRed(c) > 200 && qGreen(c) < 80 && qBlue(c) < 80)
                ++(y >= 10 && y < 50 && x >= 10 && x < 60 ? redTop : redElsewhere);
        }
    }
    EXPECT_GT(redTop, 100);
    // The right-aligned text ends at x = 95, above its baseline, on its opaque rectangle.
    EXPECT_EQ(at(img, 52, 98), kBlue);
    EXPECT_EQ(at(img, 98, 62), kBlue);
    EXPECT_EQ(at(img, 40, 62), kWhite);
    EXPECT_GT(redElsewhere, 50);
}

TEST(MetafileFit, FramePlacementForEachFit) {
    const auto m = parse(Wmf(0, 0, 200, 100).bytes());
    ASSERT_TRUE(m);
    const QRectF target(10, 20, 100, 100);
    EXPECT_EQ(m->frameIn(target, Metafile::Fit::Stretch), target);
    EXPECT_EQ(m->frameIn(target, Metafile::Fit::Contain), QRectF(10, 45, 100, 50));
    EXPECT_EQ(m->frameIn(target, Metafile::Fit::Cover), QRectF(-40, 20, 200, 100));
}

TEST(MetafileFit, NothingIsDrawnOutsideTheTargetOrThePicture) {
    // A wide red picture whose rectangle spills far beyond its own box.
    const auto m = parse(Wmf(0, 0, 200, 100).solid(kRedRef).select(0).rect(-500, -500, 700, 600).bytes());
    ASSERT_TRUE(m);
    const QRectF target(20, 20, 60, 60);

    QImage img = draw(*m, QSize(100, 100), Qt::white, Metafile::Fit::Contain, target);
    EXPECT_EQ(at(img, 50, 50), kRed);
    EXPECT_EQ(at(img, 50, 30), kWhite);  // the band above the picture
    EXPECT_EQ(at(img, 50, 70), kWhite);
    EXPECT_EQ(at(img, 21, 50), kRed);
    EXPECT_EQ(at(img, 10, 50), kWhite);

    img = draw(*m, QSize(100, 100), Qt::white, Metafile::Fit::Cover, target);
    for (int i = 21; i < 79; i += 4) {
        EXPECT_EQ(at(img, i, 21), kRed);
        EXPECT_EQ(at(img, 21, i), kRed);
        EXPECT_EQ(at(img, i, 10), kWhite);
        EXPECT_EQ(at(img, 90, i), kWhite);
    }
}

// ---------------------------------------------------------------------------
// The program's own pictures.

const QString kAssets = QStringLiteral(QUENVALE_SOURCE_DIR "/assets/");

struct Toy {
    const char* file;
    int cardColour;
};
const Toy kToys[] = {{"ball.wmf", 14},  {"bike.wmf", 11},  {"trike.wmf", 14}, {"duck.wmf", 9},
                     {"buggy.wmf", 13}, {"wagon.wmf", 10}, {"doll.wmf", 14},  {"drum.wmf", 14},
                     {"horse.wmf", 12}, {"block.wmf", 14}, {"top.wmf", 12},   {"skate.wmf", 13},
                     {"yoyo.wmf", 9},   {"jack.wmf", 14},  {"bear.wmf", 11}};

std::optional<Metafile> loadAsset(const QString& name) {
    std::string error;
    auto m = Metafile::load(kAssets + name, &error);
    EXPECT_TRUE(m) << name.toStdString() << ": " << error;
    return m;
}

TEST(PictureAssets, EveryPictureReadsAndDraws) {
    const QStringList files = QDir(kAssets).entryList({"*.wmf"}, QDir::Files, QDir::Name);
    ASSERT_GE(files.size(), 16 + 8);
    for (const QString& f : files) {
        const auto m = loadAsset(f);
        if (!m) continue;
        // Far within every bound of the drawing work.
        const Metafile::Work& w = m->work();
        const Metafile::Work& max = Metafile::kMaxWork;
        EXPECT_LE(w.records * 5, max.records) << f.toStdString();
        EXPECT_LE(w.points * 5, max.points) << f.toStdString();
        EXPECT_LE(w.length * 5, max.length) << f.toStdString();
        EXPECT_LE(w.crossings * 5, max.crossings) << f.toStdString();
        EXPECT_LE(w.area * 5, max.area) << f.toStdString();
        EXPECT_LE(w.widestPen * 5, max.widestPen) << f.toStdString();
        EXPECT_LE(w.characters * 5, max.characters) << f.toStdString();
        EXPECT_LE(w.bitmapPixels * 5, max.bitmapPixels) << f.toStdString();
        const QImage img = draw(*m, QSize(273, 273), Qt::black, Metafile::Fit::Contain);
        int drawn = 0;
        for (int y = 0; y < 273; y += 3) {
            for (int x = 0; x < 273; x += 3) drawn += at(img, x, y) != 0;
        }
        EXPECT_GT(drawn, 91 * 91 / 5) << f.toStdString();
    }
}

TEST(PictureAssets, ToysSitOnTheirCardColours) {
    for (const Toy& toy : kToys) {
        const auto m = loadAsset(toy.file);
        if (!m) continue;
        // Each toy is also a puzzle picture, square, as wide as its card: on
        // the card of 975 by 855 twips the card's colour shows at its sides.
        EXPECT_EQ(m->sizeInTwips(), QSizeF(975, 975)) << toy.file;
        const QColor card = QBColor(toy.cardColour);
        const QImage img = draw(*m, QSize(65, 57), card, Metafile::Fit::Contain);
        for (QPoint corner : {QPoint(0, 0), QPoint(64, 0), QPoint(0, 56), QPoint(64, 56)}) {
            EXPECT_EQ(at(img, corner.x(), corner.y()), card.rgb() & 0xFFFFFF) << toy.file;
        }
        // The toy fills much of the middle, in colours that stand out from the card.
        int toyPixels = 0, outline = 0;
        for (int y = 14; y < 43; ++y) {
            for (int x = 16; x < 49; ++x) {
                const QRgb c = at(img, x, y);
                toyPixels += c != (card.rgb() & 0xFFFFFF);
                outline += qGray(c) < 60;
            }
        }
        EXPECT_GT(toyPixels, 29 * 33 / 3) << toy.file;
        EXPECT_GT(outline, 10) << toy.file;
    }
    // The card back, stretched over its card, covers it: hardly any of the
    // black window shows through.
    const auto gift = loadAsset("gift.wmf");
    ASSERT_TRUE(gift);
    const QImage img = draw(*gift, QSize(65, 57), Qt::black, Metafile::Fit::Stretch);
    int black = 0;
    for (int y = 0; y < 57; ++y) {
        for (int x = 0; x < 65; ++x) black += at(img, x, y) == 0;
    }
    EXPECT_LT(black, 65 * 57 / 10);
}

// ---------------------------------------------------------------------------

TEST(MetafileCorpus, GoodFilesReadAndBrokenOnesAreRefusedOrDrawnSafely) {
    const QDir dir(QStringLiteral(QUENVALE_SOURCE_DIR "/tests/fuzz/corpus/wmf"));
    const QStringList good = dir.entryList({"ok_*.wmf"}, QDir::Files);
    const QStringList bad = dir.entryList({"bad_*.wmf"}, QDir::Files);
    EXPECT_GE(good.size(), 3);
    EXPECT_GE(bad.size(), 10);
    for (const QString& f : good) {
        std::string error;
        const auto m = Metafile::load(dir.filePath(f), &error);
        EXPECT_TRUE(m) << f.toStdString() << ": " << error;
        if (m) draw(*m, QSize(64, 64));
    }
    for (const QString& f : bad) {
        std::string error;
        const auto m = Metafile::load(dir.filePath(f), &error);
        if (m) {
            draw(*m, QSize(64, 64));
        } else {
            EXPECT_FALSE(error.empty()) << f.toStdString();
        }
    }
}

}  // namespace
