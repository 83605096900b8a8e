// The print service through libcups. Qt's own printer lookup waits a minute
// and more on a service that is alive but does not answer, and it never says
// whether a job was refused, so both are done here with our own time limits.
// Every call runs on a thread of its own (see SystemPrinter), so a limit here
// only bounds how long that thread lives, never how long the window waits.
//
// libcups and the libraries it pulls in are loaded when a page is first
// printed, not at start-up (see platform/system_library.h). A machine without
// them has no print service either: the page is saved as a file.
#include <cups/cups.h>
#include <linux/sockios.h>
#include <poll.h>
#include <sys/ioctl.h>

#include <algorithm>
#include <chrono>
#include <optional>
#include <string_view>

#include "platform/print_service.h"
#include "platform/system_library.h"

namespace {
// clang-format off
#define CUPS_FUNCTIONS(X)                                                                           \
    X(cupsServer) X(ippPort) X(cupsEncryption) X(cupsUser) X(cupsSetPasswordCB2) X(cupsLastError)  \
    X(httpConnect2) X(httpSetTimeout) X(httpClose) X(httpGetFd) X(httpFlushWrite) X(httpGetStatus) X(httpAssembleURI) \
    X(ippNewRequest) X(ippAddString) X(ippAddInteger) X(ippLength) X(cupsDoRequest) X(ippDelete)   \
    X(ippGetStatusCode) X(ippFindAttribute) X(ippGetInteger) X(ippGetString) X(ippGetCollection)   \
    X(cupsGetNamedDest) X(cupsFreeDests) X(cupsGetOption) X(cupsCopyDestInfo) X(cupsFreeDestInfo)  \
    X(cupsGetDestMediaByName) X(cupsFindDestDefault)                                               \
    X(cupsSendRequest) X(cupsWriteRequestData) X(cupsGetResponse)
// clang-format on

struct Cups {
    CUPS_FUNCTIONS(QUENVALE_LIBRARY_FUNCTION)
};

// Loads libcups at the first call; nullptr when the machine has none.
const Cups* loadCups() {
    return loadSystemLibrary<Cups>("libcups.so.2", [](const SystemLibrary& lib, Cups& table) {
        return CUPS_FUNCTIONS(QUENVALE_BIND_FUNCTION) true;
    });
}

// For the code below the entry points, which have loaded libcups.
const Cups& cups() { return *loadCups(); }

using Clock = std::chrono::steady_clock;

// How long the service may leave a lookup unanswered before it is given up.
constexpr auto kLookupLimit = std::chrono::seconds(5);
// A page goes on waiting for the service's answer long after the window has
// gone on, so that a service that is only slow still prints it, and once.
constexpr auto kJobLimit = std::chrono::seconds(30);
constexpr int kConnectMsec = 1000;
// A document goes in pieces of this size, each once the service has read
// the one before.
constexpr qsizetype kPiece = 2048;

// Gives up a request once its time is over or the program ends.
struct Watch {
    Watch(const PrintCall& call, Clock::duration limit) : call(call), deadline(Clock::now() + limit) {}
    const PrintCall& call;
    Clock::time_point deadline;
    bool expired = false;
};

int keepWaiting(http_t*, void* data) {
    auto* watch = static_cast<Watch*>(data);
    if (Clock::now() < watch->deadline && !watch->call.ending) return 1;
    watch->expired = true;
    return 0;
}

// Nobody could type a password in answer: a service that asks for one refuses.
const char* noPassword(const char*, http_t*, const char*, const char*, void*) { return nullptr; }

struct Connection {
    // again: a connection that is not answered is tried again until the
    // watch's time is over, as a busy service may take it later.
    Connection(Watch& watch, bool again) {
        cups().cupsSetPasswordCB2(noPassword, nullptr);
        for (;;) {
            const auto start = Clock::now();
            http = cups().httpConnect2(cups().cupsServer(), cups().ippPort(), nullptr, AF_UNSPEC,
                                       cups().cupsEncryption(), 1, kConnectMsec, nullptr);
            // A refusal comes at once; a connection that is never answered
            // takes the whole limit.
            refused = !http && Clock::now() - start < std::chrono::milliseconds(kConnectMsec / 2);
            if (http || refused || !again || keepWaiting(nullptr, &watch) == 0) break;
        }
        if (http) cups().httpSetTimeout(http, 0.1, keepWaiting, &watch);
    }
    ~Connection() {
        if (http) cups().httpClose(http);
    }
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;
    http_t* http = nullptr;
    bool refused = false;
};

double points(int hundredthsOfMm) { return hundredthsOfMm * 72.0 / 2540.0; }

int member(ipp_t* collection, const char* name) {
    ipp_attribute_t* attr = collection ? cups().ippFindAttribute(collection, name, IPP_TAG_INTEGER) : nullptr;
    return attr ? cups().ippGetInteger(attr, 0) : 0;
}

// The size and the unprintable edges of a paper as the printer describes it.
void readPaper(ipp_t* media, DefaultPrinter& found) {
    ipp_attribute_t* sizeAttr =
        media ? cups().ippFindAttribute(media, "media-size", IPP_TAG_BEGIN_COLLECTION) : nullptr;
    ipp_t* size = sizeAttr ? cups().ippGetCollection(sizeAttr, 0) : nullptr;
    const int width = member(size, "x-dimension"), length = member(size, "y-dimension");
    if (width <= 0 || length <= 0) return;
    found.paper = QSizeF(points(width), points(length));
    found.margins =
        QMarginsF(points(member(media, "media-left-margin")), points(member(media, "media-top-margin")),
                  points(member(media, "media-right-margin")), points(member(media, "media-bottom-margin")));
}

// Asks the service a question about its printers; nullptr when it did not
// answer, or answered with an error other than "none".
ipp_t* ask(http_t* http, ipp_op_t op, bool& none) {
    ipp_t* request = cups().ippNewRequest(op);
    cups().ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes", nullptr,
                        "printer-name");
    cups().ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_NAME, "requesting-user-name", nullptr,
                        cups().cupsUser());
    if (op == IPP_OP_CUPS_GET_PRINTERS)
        cups().ippAddInteger(request, IPP_TAG_OPERATION, IPP_TAG_INTEGER, "limit", 1);
    ipp_t* response = cups().cupsDoRequest(http, request, "/");
    none = cups().cupsLastError() == IPP_STATUS_ERROR_NOT_FOUND;
    if (response && cups().ippGetStatusCode(response) > IPP_STATUS_OK_EVENTS_COMPLETE) {
        cups().ippDelete(response);
        return nullptr;
    }
    return response;
}

// The first printer named in an answer of the service, if any.
std::optional<std::string> printerIn(http_t* http, ipp_op_t op, bool& failed) {
    bool none = false;
    ipp_t* response = ask(http, op, none);
    failed = !response && !none;
    if (!response) return std::nullopt;
    ipp_attribute_t* name = cups().ippFindAttribute(response, "printer-name", IPP_TAG_NAME);
    std::optional<std::string> found;
    if (name && cups().ippGetString(name, 0, nullptr)) found = cups().ippGetString(name, 0, nullptr);
    cups().ippDelete(response);
    return found;
}

DefaultPrinter::State whyNone(const Watch& watch) {
    return watch.expired ? DefaultPrinter::State::Unreachable : DefaultPrinter::State::Failed;
}

DefaultPrinter lookUp(const PrintCall& call) {
    DefaultPrinter found;
    if (!loadCups()) {
        found.state = DefaultPrinter::State::NoService;
        return found;
    }
    Watch watch(call, kLookupLimit);
    Connection service(watch, false);
    if (!service.http) {
        found.state = service.refused ? DefaultPrinter::State::NoService : DefaultPrinter::State::Unreachable;
        return found;
    }
    cups_dest_t* dest = cups().cupsGetNamedDest(service.http, nullptr, nullptr);
    if (!dest) {
        if (watch.expired || cups().cupsLastError() != IPP_STATUS_ERROR_NOT_FOUND) {
            found.state = whyNone(watch);
            return found;
        }
        // The user's own default may be a printer that is gone; the service's
        // default, if it has one, is the next best.
        bool failed = false;
        const std::optional<std::string> serverDefault =
            printerIn(service.http, IPP_OP_CUPS_GET_DEFAULT, failed);
        if (serverDefault) dest = cups().cupsGetNamedDest(service.http, serverDefault->c_str(), nullptr);
        if (!dest) {
            if (!failed && !watch.expired) {
                const bool any = printerIn(service.http, IPP_OP_CUPS_GET_PRINTERS, failed).has_value();
                found.state = any ? DefaultPrinter::State::NoDefault : DefaultPrinter::State::NoPrinter;
            }
            if (failed || watch.expired) found.state = whyNone(watch);
            return found;
        }
    }
    found.name = dest->name;
    const char* accepting =
        cups().cupsGetOption("printer-is-accepting-jobs", dest->num_options, dest->options);
    found.acceptingJobs = !accepting || std::string_view(accepting) != "false";

    // The user's own choice of paper first, then the printer's.
    if (cups_dinfo_t* info = watch.expired ? nullptr : cups().cupsCopyDestInfo(service.http, dest)) {
        const char* chosen = cups().cupsGetOption("media", dest->num_options, dest->options);
        cups_size_t size;
        if (chosen && cups().cupsGetDestMediaByName(service.http, dest, info, chosen,
                                                    CUPS_MEDIA_FLAGS_DEFAULT, &size)) {
            found.media = chosen;
            found.paper = QSizeF(points(size.width), points(size.length));
            found.margins =
                QMarginsF(points(size.left), points(size.top), points(size.right), points(size.bottom));
        } else if (ipp_attribute_t* media =
                       cups().cupsFindDestDefault(service.http, dest, info, "media-col")) {
            readPaper(cups().ippGetCollection(media, 0), found);
        }
        cups().cupsFreeDestInfo(info);
    }
    cups().cupsFreeDests(1, dest);
    found.state = watch.expired ? DefaultPrinter::State::Unreachable : DefaultPrinter::State::Ready;
    return found;
}

// What the service's answer to a job says.
JobOutcome answered(ipp_status_t status) {
    if (status <= IPP_STATUS_OK_EVENTS_COMPLETE) return JobOutcome::Printed;
    // A printer that is gone since the lookup refused nothing.
    if (status == IPP_STATUS_ERROR_NOT_FOUND) return JobOutcome::Failed;
    if (status < IPP_STATUS_ERROR_INTERNAL || status == IPP_STATUS_ERROR_NOT_ACCEPTING_JOBS ||
        status == IPP_STATUS_ERROR_BUSY)
        return JobOutcome::Refused;
    return JobOutcome::Failed;
}

// Why a job whose document did not go whole came to nothing: an answer of
// the service at the HTTP level, or none.
JobOutcome notSent(http_status_t status, const Watch& watch) {
    if (status == HTTP_STATUS_NOT_FOUND) return JobOutcome::Failed;
    if (status == HTTP_STATUS_CUPS_AUTHORIZATION_CANCELED) return JobOutcome::Refused;
    if (status >= HTTP_STATUS_BAD_REQUEST && status < HTTP_STATUS_SERVER_ERROR) return JobOutcome::Refused;
    if (status >= HTTP_STATUS_MULTIPLE_CHOICES) return JobOutcome::Failed;
    return watch.expired ? JobOutcome::NoAnswer : JobOutcome::Lost;
}

// Whether the service has read all that was written to it, while the
// connection stands. Data from the service ends the wait too: it has
// something to say about the request.
bool readByService(http_t* http, Watch& watch) {
    const int fd = cups().httpGetFd(http);
    for (;;) {
        int unread = 0;
        if (::ioctl(fd, SIOCOUTQ, &unread) != 0 || unread == 0) return true;
        pollfd p{fd, POLLIN | POLLRDHUP, 0};
        if (::poll(&p, 1, 1) > 0) return (p.revents & (POLLRDHUP | POLLHUP | POLLERR)) == 0;
        if (keepWaiting(http, &watch) == 0) return false;
    }
}

// Writes the document after its request. A socket holds more than a page
// unread, so a connection that broke halfway would seem to have taken it
// all; written piece by piece, each once the last was read, it is seen to
// break while the page is on its way, and only a break in its last piece
// leaves it unknown whether the service had the whole page.
http_status_t sendDocument(http_t* http, const QByteArray& pdf, Watch& watch) {
    for (qsizetype at = 0; at < pdf.size(); at += kPiece) {
        const qsizetype size = std::min(kPiece, pdf.size() - at);
        const http_status_t status =
            cups().cupsWriteRequestData(http, pdf.constData() + at, static_cast<size_t>(size));
        if (status != HTTP_STATUS_CONTINUE) return status;
        if (at + size == pdf.size()) break;
        if (cups().httpFlushWrite(http) < 0 || !readByService(http, watch)) return HTTP_STATUS_ERROR;
    }
    return HTTP_STATUS_CONTINUE;
}

JobOutcome sendJob(const DefaultPrinter& printer, const QByteArray& pdf, const std::string& title,
                   const PrintCall& call) {
    if (!printer.acceptingJobs) return JobOutcome::Refused;
    if (!loadCups()) return JobOutcome::NoService;
    Watch watch(call, kJobLimit);
    Connection service(watch, true);
    if (!service.http) return service.refused ? JobOutcome::NoService : JobOutcome::NoAnswer;
    http_t* http = service.http;

    // One Print-Job, not a Create-Job and its document: a job made by a
    // Create-Job whose answer is lost would stand at the service, empty and
    // pending, with no number to cancel it by.
    const std::string resource = "/printers/" + printer.name;
    char uri[HTTP_MAX_URI];
    cups().httpAssembleURI(HTTP_URI_CODING_ALL, uri, sizeof uri, "ipp", nullptr, "localhost",
                           cups().ippPort(), resource.c_str());
    ipp_t* request = cups().ippNewRequest(IPP_OP_PRINT_JOB);
    cups().ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_URI, "printer-uri", nullptr, uri);
    cups().ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_NAME, "requesting-user-name", nullptr,
                        cups().cupsUser());
    cups().ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_NAME, "job-name", nullptr, title.c_str());
    cups().ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_MIMETYPE, "document-format", nullptr,
                        CUPS_FORMAT_PDF);
    if (!printer.media.empty())
        cups().ippAddString(request, IPP_TAG_JOB, IPP_TAG_KEYWORD, "media", nullptr, printer.media.c_str());
    // Sent with its length rather than in chunks: libcups does not tell
    // whether the closing chunk went out.
    const size_t length = cups().ippLength(request) + static_cast<size_t>(pdf.size());
    http_status_t status = cups().cupsSendRequest(http, request, resource.c_str(), length);
    cups().ippDelete(request);
    if (status == HTTP_STATUS_CONTINUE) status = sendDocument(http, pdf, watch);
    if (status != HTTP_STATUS_CONTINUE && status != HTTP_STATUS_OK) return notSent(status, watch);

    ipp_t* response = cups().cupsGetResponse(http, resource.c_str());
    if (!response) {
        // The whole document went; a service that then says nothing, breaks
        // off or dies may have taken it all the same.
        const http_status_t after = cups().httpGetStatus(http);
        return after >= HTTP_STATUS_MULTIPLE_CHOICES ? notSent(after, watch) : JobOutcome::Unconfirmed;
    }
    const JobOutcome outcome = answered(cups().ippGetStatusCode(response));
    cups().ippDelete(response);
    return outcome;
}

class CupsPrintService : public PrintService {
public:
    DefaultPrinter defaultPrinter(const PrintCall& call) override { return lookUp(call); }
    JobOutcome submit(const DefaultPrinter& printer, const QByteArray& pdf, const std::string& title,
                      const PrintCall& call) override {
        return sendJob(printer, pdf, title, call);
    }
};
}  // namespace

std::unique_ptr<PrintService> makeCupsPrintService() { return std::make_unique<CupsPrintService>(); }
