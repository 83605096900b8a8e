#pragma once
// Placeable Windows metafiles (".wmf"): read once into a compact list of
// drawing steps, then drawn with QPainter as vectors, sharp at any size.
//
// Reading is strict: a file that is not a sound placeable metafile is refused
// with a reason, and nothing in a file can make the reader crash, loop or
// allocate more than the data can justify. Any file in the program's folder
// may be read, so the drawing work a file may ask for is bounded too: a file
// asking for more than kMaxWork is refused like a broken one, and whatever is
// accepted draws onto a puzzle board in a blink.
#include <QRectF>
#include <QSizeF>
#include <QString>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

class QPainter;

class Metafile {
public:
    // How the picture's bounding box is placed into a target rectangle.
    enum class Fit {
        Stretch,  // fills the target exactly, aspect ratio ignored
        Contain,  // whole picture, aspect kept, centred (bands left empty)
        Cover,    // fills the target, aspect kept, centred, the overflow cut off
    };

    // The drawing work a picture asks for, summed over the whole file. Lengths
    // are counted in picture sides (the longer side of the bounding box) and
    // areas in picture squares (that side squared), so the figures do not
    // depend on the units a file happens to use: a picture drawn onto a board
    // N pixels wide strokes and fills about length x N and area x N x N pixels.
    struct Work {
        std::uint64_t records = 0;
        // Corners of polygons, polylines and lines.
        std::uint64_t points = 0;
        // Outlines stroked or filled, a pen's band and rounded corners included.
        double length = 0;
        // Each shape's outline length squared, summed: the painter sorts the
        // edges crossing each pixel row of a shape, so a long tangled outline
        // costs with the square of its length.
        double crossings = 0;
        // Painted: fills, the bands of wide pens, text, bitmaps.
        double area = 0;
        double widestPen = 0;
        double tallestFont = 0;
        std::uint64_t characters = 0;
        // Fonts that text is drawn in: the first use of each is looked up
        // among the installed fonts, which is slow.
        std::uint64_t fonts = 0;
        std::uint64_t bitmapPixels = 0;
    };
    // The most a file may ask for.
    static const Work kMaxWork;

    // Nothing, and a reason in *error, when the data is not a sound placeable
    // metafile or asks for more drawing work than kMaxWork.
    static std::optional<Metafile> parse(const std::uint8_t* data, std::size_t size,
                                         std::string* error = nullptr);
    // Reads the file as readWholeFile does (an ordinary file of at most 8 MiB,
    // never waited for); a path in the system's bytes, or one Qt holds.
    static std::optional<Metafile> load(const std::string& path, std::string* error = nullptr);
    static std::optional<Metafile> load(const QString& path, std::string* error = nullptr);

    // The placeable header's bounding box, in metafile units.
    QRectF bounds() const;
    int unitsPerInch() const;
    const Work& work() const;
    // The picture's natural size: the bounding box at its units per inch.
    QSizeF sizeInTwips() const;

    // Where the bounding box lands when drawn into target with the given fit.
    QRectF frameIn(const QRectF& target, Fit fit) const;

    // Draws the picture stretched into target.
    void render(QPainter& p, const QRectF& target) const;
    // Draws the picture into target; nothing is drawn outside target or the frame.
    void render(QPainter& p, const QRectF& target, Fit fit) const;

    struct Data;

private:
    explicit Metafile(std::shared_ptr<const Data> d) : d_(std::move(d)) {}
    // Copies share the read drawing steps.
    std::shared_ptr<const Data> d_;
};
