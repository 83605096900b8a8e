#pragma once
// A print service in the test's own process, on a Unix socket, that answers
// as much IPP over HTTP/1.1 as libcups asks of it when the program prints:
// the default printer, the printer list, a printer's attributes, Print-Job,
// Create-Job, Send-Document (chunked) and Cancel-Job. Requests of one kind can
// be held unanswered, as by a service that stops in the middle of a job, or
// answered late, or lose their connection halfway. Every wait of its own ends
// when it is destroyed, which closes every connection unanswered as a service
// that dies does, and after half a minute at most.
#include <QByteArray>
#include <atomic>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace ipp {
constexpr int kPrintJob = 0x0002;
constexpr int kCreateJob = 0x0005;
constexpr int kSendDocument = 0x0006;
constexpr int kCancelJob = 0x0008;
constexpr int kGetPrinterAttributes = 0x000B;
constexpr int kGetDefault = 0x4001;
constexpr int kGetPrinters = 0x4002;
}  // namespace ipp

class IppStandIn {
public:
    struct Setup {
        // The queues; the first is the default when there is one.
        std::vector<std::string> printers{"Stand-in"};
        bool hasDefault = true;
        // Requests of this operation get no answer until release(), or
        // until the seconds given here for each, in the order they came.
        int holdOp = 0;
        std::vector<double> answerAfter{};
        // Requests of this operation are answered with refuseStatus.
        int refuseOp = 0;
        int refuseStatus = 0x0506;  // server-error-not-accepting-jobs
        // Requests of this operation lose their connection halfway through.
        int dropOp = 0;
    };
    IppStandIn(std::string socketPath, Setup setup);
    ~IppStandIn();
    IppStandIn(const IppStandIn&) = delete;
    IppStandIn& operator=(const IppStandIn&) = delete;

    // A held request waits for its answer now.
    bool holding() const { return holding_ > 0; }
    // How many requests were held so far.
    int held() const { return held_; }
    // Answers the held request, and holds no more.
    void release() { released_ = true; }
    // Waits (a few seconds at most) until a request of the operation came.
    bool waitFor(int op);
    std::vector<int> operations() const;
    // The last document sent.
    QByteArray document() const;
    // How many documents came whole.
    int documents() const;

private:
    void acceptLoop();
    void serve(int fd);
    bool readMore(int fd, std::string& buffer);
    std::string answer(int op, int id, const std::string& printerUri);

    std::string path_;
    Setup setup_;
    int listener_ = -1;
    std::atomic<bool> stop_{false};
    std::atomic<int> holding_{0};
    std::atomic<int> held_{0};
    std::atomic<bool> released_{false};
    mutable std::mutex mutex_;
    std::vector<int> ops_;
    QByteArray document_;
    int documents_ = 0;
    std::vector<std::thread> connections_;
    std::thread acceptor_;
};
