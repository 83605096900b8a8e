#pragma once
// Placeable Windows metafiles (".wmf"): read once into a compact list of
// drawing steps, then drawn with QPainter as vectors, sharp at any size.
//
// Reading is strict: a file that is not a sound placeable metafile is refused
// with a reason, and nothing in a file can make the reader crash, loop or
// allocate more than the data can justify.
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

    // Nothing, and a reason in *error, when the data is not a sound placeable metafile.
    static std::optional<Metafile> parse(const std::uint8_t* data, std::size_t size,
                                         std::string* error = nullptr);
    static std::optional<Metafile> load(const QString& path, std::string* error = nullptr);

    // The placeable header's bounding box, in metafile units.
    QRectF bounds() const;
    int unitsPerInch() const;
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
