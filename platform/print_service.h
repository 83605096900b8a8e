#pragma once
// The machine's print service as the system printer needs it: which printer is
// the default, on what paper, and whether it takes a finished document. Its
// calls may wait long on a service that does not answer, so the system printer
// makes them on threads of their own; these are told through a PrintCall when
// the program ends.
#include <QByteArray>
#include <QMarginsF>
#include <QSizeF>
#include <atomic>
#include <memory>
#include <string>

struct DefaultPrinter {
    enum class State {
        NoPrinter,    // the service answered: it has no printer at all
        NoDefault,    // it has printers, but none is chosen as the default
        NoService,    // nothing answers where the service should be
        Unreachable,  // a service is there but did not answer in time
        Failed,       // the service broke off or answered with an error
        Ready,
    };
    State state = State::NoPrinter;
    std::string name;
    // The printer's default paper, upright, and its unprintable edges, in points.
    QSizeF paper{612, 792};
    QMarginsF margins;
    // The paper the user chose for this printer, asked for with each job;
    // empty when the printer's own default is meant.
    std::string media;
    bool acceptingJobs = true;
};

enum class JobOutcome {
    Printed,      // the service confirmed the document
    Refused,      // the printer answered no
    Failed,       // the service answered with an error of its own, or could not be asked
    NoService,    // nothing answers where the service should be
    NoAnswer,     // the service did not answer before the document had gone
    Lost,         // the connection broke before the document had gone whole
    Unconfirmed,  // the document went whole, but the service never confirmed it
};

// One call into the service, shared by the thread that makes it and the
// window's thread that waits for it.
struct PrintCall {
    // The program ends: stop at once.
    std::atomic<bool> ending{false};
    // The call has returned and its result may be read.
    std::atomic<bool> finished{false};
};

class PrintService {
public:
    virtual ~PrintService() = default;
    virtual DefaultPrinter defaultPrinter(const PrintCall& call) = 0;
    // Sends a finished PDF document to the printer found by defaultPrinter(),
    // as one request, so that a job never stands at the service without its
    // document. Returns once the service has given a definite answer, or has
    // given none for half a minute, or the program ends.
    virtual JobOutcome submit(const DefaultPrinter& printer, const QByteArray& pdf, const std::string& title,
                              const PrintCall& call) = 0;
};

// The machine's CUPS service.
std::unique_ptr<PrintService> makeCupsPrintService();
