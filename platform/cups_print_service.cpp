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

#include <chrono>
#include <optional>
#include <string_view>

#include "platform/print_service.h"
#include "platform/system_library.h"

namespace {
// clang-format off
#define CUPS_FUNCTIONS(X)                                                                           \
    X(cupsServer) X(ippPort) X(cupsEncryption) X(cupsUser) X(cupsSetPasswordCB2) X(cupsLastError)  \
    X(httpConnect2) X(httpSetTimeout) X(httpClose)                                                 \
    X(ippNewRequest) X(ippAddString) X(ippAddInteger) X(cupsDoRequest) X(ippDelete)                \
    X(ippGetStatusCode) X(ippFindAttribute) X(ippGetInteger) X(ippGetString) X(ippGetCollection)   \
    X(cupsGetNamedDest) X(cupsFreeDests) X(cupsGetOption) X(cupsCopyDestInfo) X(cupsFreeDestInfo)  \
    X(cupsGetDestMediaByName) X(cupsFindDestDefault)                                               \
    X(cupsAddOption) X(cupsFreeOptions) X(cupsCreateJob) X(cupsStartDocument)                      \
    X(cupsWriteRequestData) X(cupsFinishDocument) X(cupsCancelJob2)
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

// How long the service may leave one call unanswered before it is given up.
constexpr auto kServiceLimit = std::chrono::seconds(5);
constexpr int kConnectMsec = 1000;

// Gives up a request once its time is over or the program ends.
struct Watch {
    Watch(const PrintCall& call) : call(call) {}
    Clock::time_point deadline = Clock::now() + kServiceLimit;
    const PrintCall& call;
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
    explicit Connection(Watch& watch) {
        cups().cupsSetPasswordCB2(noPassword, nullptr);
        const auto start = Clock::now();
        http = cups().httpConnect2(cups().cupsServer(), cups().ippPort(), nullptr, AF_UNSPEC,
                                   cups().cupsEncryption(), 1, kConnectMsec, nullptr);
        // A refusal comes at once; a connection that is never answered takes
        // the whole limit.
        refused = !http && Clock::now() - start < std::chrono::milliseconds(kConnectMsec / 2);
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
    Watch watch(call);
    Connection service(watch);
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

// Why the last request of a job came to nothing.
JobOutcome whyNot(const Watch& watch) {
    if (watch.expired) return JobOutcome::Late;
    switch (cups().cupsLastError()) {
        // What libcups says when the connection broke, and a printer that
        // is gone since the lookup.
        case IPP_STATUS_ERROR_INTERNAL:
        case IPP_STATUS_ERROR_SERVICE_UNAVAILABLE:
        case IPP_STATUS_ERROR_NOT_FOUND:
            return JobOutcome::Failed;
        default:
            return JobOutcome::Refused;
    }
}

JobOutcome sendJob(const DefaultPrinter& printer, const QByteArray& pdf, const std::string& title,
                   const PrintCall& call) {
    if (!printer.acceptingJobs) return JobOutcome::Refused;
    if (!loadCups()) return JobOutcome::Failed;
    Watch watch(call);
    Connection service(watch);
    if (!service.http) return service.refused ? JobOutcome::Failed : JobOutcome::Late;
    cups_option_t* options = nullptr;
    int count = 0;
    if (!printer.media.empty()) count = cups().cupsAddOption("media", printer.media.c_str(), count, &options);
    const char* dest = printer.name.c_str();
    const int job = cups().cupsCreateJob(service.http, dest, title.c_str(), count, options);
    cups().cupsFreeOptions(count, options);
    if (job <= 0) return whyNot(watch);
    // A job that the service made only after the page went to a file gets no document.
    JobOutcome outcome = JobOutcome::Late;
    if (!call.abandoned) {
        outcome = JobOutcome::Printed;
        if (cups().cupsStartDocument(service.http, dest, job, title.c_str(), CUPS_FORMAT_PDF, 1) !=
                HTTP_STATUS_CONTINUE ||
            cups().cupsWriteRequestData(service.http, pdf.constData(), static_cast<size_t>(pdf.size())) !=
                HTTP_STATUS_CONTINUE ||
            cups().cupsFinishDocument(service.http, dest) != IPP_STATUS_OK)
            outcome = whyNot(watch);
    }
    // Half a document must not come out of the printer, nor a page that went
    // to a file meanwhile. The connection may be stuck in the middle of a
    // request, so the cancel goes on one of its own.
    if (call.abandoned) outcome = JobOutcome::Late;
    if (outcome != JobOutcome::Printed && !call.ending) {
        Watch again(call);
        Connection cancel(again);
        if (cancel.http) cups().cupsCancelJob2(cancel.http, dest, job, 0);
    }
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
