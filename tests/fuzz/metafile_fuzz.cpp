#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <cstddef>
#include <cstdint>

#include "platform/metafile.h"

// fontconfig keeps the values of its patterns as offsets from the pattern,
// which the leak checker cannot follow: what Qt caches there looks unreachable.
extern "C" const char* __lsan_default_suppressions() { return "leak:libfontconfig\n"; }

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // Text needs the font database, and so an application object.
    static QGuiApplication* app = [] {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        static int argc = 1;
        static char name[] = "metafile_fuzz";
        static char* argv[] = {name, nullptr};
        return new QGuiApplication(argc, argv);
    }();
    (void)app;
    const auto picture = Metafile::parse(data, size);
    if (!picture) return 0;
    QImage image(48, 40, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    picture->render(p, QRectF(0, 0, 48, 40), Metafile::Fit::Cover);
    picture->render(p, QRectF(4, 4, 30, 20), Metafile::Fit::Contain);
    return 0;
}
