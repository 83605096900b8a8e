#pragma once
// The machine's print service as the system printer needs it: which printer is
// the default, on what paper, and whether it takes a finished document.
#include <QByteArray>
#include <QMarginsF>
#include <QSizeF>
#include <QString>
#include <memory>
#include <string>

struct DefaultPrinter {
    enum class State {
        None,         // the service answered: no default printer, or there is no service at all
        Unreachable,  // a service is there but did not answer in time
        Ready,
    };
    State state = State::None;
    std::string name;
    // The printer's default paper, upright, and its unprintable edges, in points.
    QSizeF paper{612, 792};
    QMarginsF margins;
    // The paper the user chose for this printer, asked for with each job;
    // empty when the printer's own default is meant.
    std::string media;
    bool acceptingJobs = true;
};

class PrintService {
public:
    virtual ~PrintService() = default;
    // Never keeps the caller waiting for more than a moment: a service that
    // does not answer by then counts as unreachable.
    virtual DefaultPrinter defaultPrinter() = 0;
    // Sends a finished PDF document; true only when the printer took the job.
    virtual bool submit(const DefaultPrinter& printer, const QByteArray& pdf, const QString& title) = 0;
};

// The machine's CUPS service.
std::unique_ptr<PrintService> makeCupsPrintService();
