#include "platform/help_viewer.h"

#include <QGuiApplication>
#include <QPointer>
#include <QScreen>
#include <QTextBrowser>
#include <QUrl>
#include <optional>

#include "platform/data_file.h"
#include "platform/fonts.h"
#include "platform/help_file.h"

namespace {

QString html(const std::string& s) {
    return QString::fromUtf8(s.data(), static_cast<int>(s.size())).toHtmlEscaped();
}

QString paragraphsHtml(const HelpTopic& topic) {
    QString out;
    bool inList = false;
    for (const auto& p : topic.paragraphs) {
        bool item = p.starts_with("- ");
        if (item && !inList) out += "<ul>";
        if (!item && inList) out += "</ul>";
        inList = item;
        out += item ? "<li>" + html(p.substr(2)) + "</li>" : "<p>" + html(p) + "</p>";
    }
    if (inList) out += "</ul>";
    return out;
}

const char* kStyle =
    "<style>h1{color:#1d4f91;} a{color:#b0122b; font-weight:bold; text-decoration:none;}"
    " p,li{font-size:15px; line-height:140%;}</style>";

}  // namespace

struct HelpViewer::Impl {
    std::string path;
    std::optional<HelpFile> file;
    QPointer<QTextBrowser> browser;

    void load() {
        file.reset();
        // Read at start-up: a help file that cannot be read must not keep the menu from showing.
        if (std::optional<std::string> text = readWholeFile(path, kMaxHelpFileBytes))
            file = parseHelpFile(*text);
    }

    QString contents() const {
        if (!file) return QString(kStyle) + "<h1>Help</h1><p>The help file could not be read.</p>";
        QString out = QString(kStyle) + "<h1>" + html(file->contents.title) + "</h1>" +
                      paragraphsHtml(file->contents) + "<ul>";
        for (const auto& [number, topic] : file->topics) {
            out += QString("<li><a href=\"topic:%1\">%2</a></li>").arg(number).arg(html(topic.title));
        }
        return out + "</ul>";
    }

    QString page(int context) const {
        if (!file || !file->topics.count(context)) return contents();
        const HelpTopic& t = file->topics.at(context);
        return QString(kStyle) + "<p><a href=\"contents\">Contents</a></p><h1>" + html(t.title) + "</h1>" +
               paragraphsHtml(t);
    }

    void show(const QString& htmlText) {
        if (!browser) {
            browser = new QTextBrowser();
            browser->setAttribute(Qt::WA_DeleteOnClose);
            browser->setWindowTitle("Quenvale Help");
            browser->setOpenLinks(false);
            browser->setFont(vbFont("Arial", 11));
            browser->resize(560, 520);
            if (QScreen* screen = QGuiApplication::primaryScreen()) {
                QRect r = screen->availableGeometry();
                browser->move(r.center() - QPoint(280, 260));
            }
            QObject::connect(browser, &QTextBrowser::anchorClicked, browser, [this](const QUrl& url) {
                QString s = url.toString();
                if (s.startsWith("topic:"))
                    browser->setHtml(page(s.mid(6).toInt()));
                else
                    browser->setHtml(contents());
            });
        }
        browser->setHtml(htmlText);
        browser->show();
        browser->raise();
        browser->activateWindow();
    }
};

HelpViewer::HelpViewer() : impl_(std::make_unique<Impl>()) {}
HelpViewer::~HelpViewer() = default;

HelpViewer& HelpViewer::instance() {
    static HelpViewer viewer;
    return viewer;
}

void HelpViewer::setFile(const std::string& path) {
    impl_->path = path;
    impl_->load();
}

void HelpViewer::showTopic(int context) { impl_->show(impl_->page(context)); }
void HelpViewer::showContents() { impl_->show(impl_->contents()); }
QString HelpViewer::pageHtml(int context) const { return impl_->page(context); }
QString HelpViewer::contentsHtml() const { return impl_->contents(); }
