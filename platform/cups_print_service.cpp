// The print service through libcups. Qt's own printer lookup waits a minute
// and more on a service that is alive but does not answer, and it never says
// whether a job was refused, so both are done here with our own time limits.
#include <cups/cups.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <string_view>
#include <thread>

#include "platform/print_service.h"

namespace {
using Clock = std::chrono::steady_clock;

// How long a print waits for the default printer before the page goes to a file.
constexpr auto kAnswerWait = std::chrono::milliseconds(600);
// How long the service may leave a lookup or a job unanswered before it is given up.
constexpr auto kServiceLimit = std::chrono::seconds(5);
constexpr int kConnectMsec = 3000;

// Gives up a request once its time is over or nobody waits for it any more.
struct Watch {
    Clock::time_point deadline;
    const std::atomic<bool>* cancel = nullptr;
    bool expired = false;
};

int keepWaiting(http_t*, void* data) {
    auto* watch = static_cast<Watch*>(data);
    if (Clock::now() < watch->deadline && !(watch->cancel && *watch->cancel)) return 1;
    watch->expired = true;
    return 0;
}

struct Connection {
    explicit Connection(Watch& watch)
        : http(httpConnect2(cupsServer(), ippPort(), nullptr, AF_UNSPEC, cupsEncryption(), 1, kConnectMsec,
                            nullptr)) {
        if (http) httpSetTimeout(http, 0.2, keepWaiting, &watch);
    }
    ~Connection() {
        if (http) httpClose(http);
    }
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;
    http_t* http;
};

double points(int hundredthsOfMm) { return hundredthsOfMm * 72.0 / 2540.0; }

int member(ipp_t* collection, const char* name) {
    ipp_attribute_t* attr = collection ? ippFindAttribute(collection, name, IPP_TAG_INTEGER) : nullptr;
    return attr ? ippGetInteger(attr, 0) : 0;
}

// The size and the unprintable edges of a paper as the printer describes it.
void readPaper(ipp_t* media, DefaultPrinter& found) {
    ipp_attribute_t* sizeAttr =
        media ? ippFindAttribute(media, "media-size", IPP_TAG_BEGIN_COLLECTION) : nullptr;
    ipp_t* size = sizeAttr ? ippGetCollection(sizeAttr, 0) : nullptr;
    const int width = member(size, "x-dimension"), length = member(size, "y-dimension");
    if (width <= 0 || length <= 0) return;
    found.paper = QSizeF(points(width), points(length));
    found.margins =
        QMarginsF(points(member(media, "media-left-margin")), points(member(media, "media-top-margin")),
                  points(member(media, "media-right-margin")), points(member(media, "media-bottom-margin")));
}

DefaultPrinter lookUp(const std::atomic<bool>& cancel) {
    DefaultPrinter found;
    Watch watch{Clock::now() + kServiceLimit, &cancel};
    Connection service(watch);
    // Nothing listens: there is no print service on this machine.
    if (!service.http) return found;
    cups_dest_t* dest = cupsGetNamedDest(service.http, nullptr, nullptr);
    if (!dest) {
        if (watch.expired || cupsLastError() != IPP_STATUS_ERROR_NOT_FOUND)
            found.state = DefaultPrinter::State::Unreachable;
        return found;
    }
    found.name = dest->name;
    const char* accepting = cupsGetOption("printer-is-accepting-jobs", dest->num_options, dest->options);
    found.acceptingJobs = !accepting || std::string_view(accepting) != "false";

    // The user's own choice of paper first, then the printer's.
    if (cups_dinfo_t* info = cupsCopyDestInfo(service.http, dest)) {
        const char* chosen = cupsGetOption("media", dest->num_options, dest->options);
        cups_size_t size;
        if (chosen &&
            cupsGetDestMediaByName(service.http, dest, info, chosen, CUPS_MEDIA_FLAGS_DEFAULT, &size)) {
            found.media = chosen;
            found.paper = QSizeF(points(size.width), points(size.length));
            found.margins =
                QMarginsF(points(size.left), points(size.top), points(size.right), points(size.bottom));
        } else if (ipp_attribute_t* media = cupsFindDestDefault(service.http, dest, info, "media-col")) {
            readPaper(ippGetCollection(media, 0), found);
        }
        cupsFreeDestInfo(info);
    }
    cupsFreeDests(1, dest);
    found.state = watch.expired ? DefaultPrinter::State::Unreachable : DefaultPrinter::State::Ready;
    return found;
}

// One lookup of the default printer, on its own thread, so that a service
// that does not answer keeps that thread waiting and not the window.
struct Lookup {
    std::mutex mutex;
    std::condition_variable done;
    bool finished = false;
    DefaultPrinter result;
    std::atomic<bool> cancel{false};
};

class CupsPrintService : public PrintService {
public:
    CupsPrintService() = default;
    CupsPrintService(const CupsPrintService&) = delete;
    CupsPrintService& operator=(const CupsPrintService&) = delete;
    ~CupsPrintService() override { endLookup(true); }

    DefaultPrinter defaultPrinter() override {
        // A lookup that ended before this print may be out of date by now; one
        // still waiting for the service is waited for again.
        if (lookup_ && finished()) endLookup(false);
        if (!lookup_) startLookup();
        std::unique_lock lock(lookup_->mutex);
        if (!lookup_->done.wait_for(lock, kAnswerWait, [this] { return lookup_->finished; })) {
            DefaultPrinter late;
            late.state = DefaultPrinter::State::Unreachable;
            return late;
        }
        DefaultPrinter found = lookup_->result;
        lock.unlock();
        endLookup(false);
        return found;
    }

    bool submit(const DefaultPrinter& printer, const QByteArray& pdf, const QString& title) override {
        if (printer.state != DefaultPrinter::State::Ready || !printer.acceptingJobs) return false;
        Watch watch{Clock::now() + kServiceLimit};
        Connection service(watch);
        if (!service.http) return false;
        cups_option_t* options = nullptr;
        int count = 0;
        if (!printer.media.empty()) count = cupsAddOption("media", printer.media.c_str(), count, &options);
        const QByteArray name = title.toUtf8();
        const char* dest = printer.name.c_str();
        const int job = cupsCreateJob(service.http, dest, name.constData(), count, options);
        bool sent = false;
        if (job > 0) {
            if (cupsStartDocument(service.http, dest, job, name.constData(), CUPS_FORMAT_PDF, 1) ==
                HTTP_STATUS_CONTINUE) {
                const bool written =
                    cupsWriteRequestData(service.http, pdf.constData(), static_cast<size_t>(pdf.size())) ==
                    HTTP_STATUS_CONTINUE;
                sent = cupsFinishDocument(service.http, dest) == IPP_STATUS_OK && written;
            }
            // Half a document must not come out of the printer.
            if (!sent) cupsCancelJob2(service.http, dest, job, 0);
        }
        cupsFreeOptions(count, options);
        return sent;
    }

private:
    bool finished() {
        std::lock_guard lock(lookup_->mutex);
        return lookup_->finished;
    }

    void startLookup() {
        lookup_ = std::make_shared<Lookup>();
        thread_ = std::thread([lookup = lookup_] {
            DefaultPrinter found = lookUp(lookup->cancel);
            std::lock_guard lock(lookup->mutex);
            lookup->result = found;
            lookup->finished = true;
            lookup->done.notify_all();
        });
    }

    // At the end of the program a lookup still waiting is cut short, so no
    // thread outlives the service.
    void endLookup(bool cancel) {
        if (lookup_ && cancel) lookup_->cancel = true;
        if (thread_.joinable()) thread_.join();
        lookup_.reset();
    }

    std::shared_ptr<Lookup> lookup_;
    std::thread thread_;
};
}  // namespace

std::unique_ptr<PrintService> makeCupsPrintService() { return std::make_unique<CupsPrintService>(); }
