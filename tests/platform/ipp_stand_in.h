#pragma once
// A print service in the test's own process, on a Unix socket, that answers
// as much IPP over HTTP/1.1 as libcups asks of it when the program prints:
// the default printer, the printer list, a printer's attributes, Create-Job,
// Send-Document (chunked) and Cancel-Job. One request can be held unanswered,
// as by a service that stops in the middle of a job. Every wait of its own
// ends when it is destroyed, and after half a minute at most.
#include <QByteArray>
#include <atomic>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace ipp {
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
        // Requests of this operation get no answer until release().
        int holdOp = 0;
        // Requests of this operation are answered "not accepting jobs".
        int refuseOp = 0;
    };
    IppStandIn(std::string socketPath, Setup setup);
    ~IppStandIn();
    IppStandIn(const IppStandIn&) = delete;
    IppStandIn& operator=(const IppStandIn&) = delete;

    // A held request waits for its answer now.
    bool holding() const { return holding_; }
    // Answers the held request, and holds no more.
    void release() { released_ = true; }
    // Waits (a few seconds at most) until a request of the operation came.
    bool waitFor(int op);
    std::vector<int> operations() const;
    // The last document sent.
    QByteArray document() const;

private:
    void acceptLoop();
    void serve(int fd);
    bool readMore(int fd, std::string& buffer);
    std::string answer(int op, int id, const std::string& printerUri);

    std::string path_;
    Setup setup_;
    int listener_ = -1;
    std::atomic<bool> stop_{false};
    std::atomic<bool> holding_{false};
    std::atomic<bool> released_{false};
    mutable std::mutex mutex_;
    std::vector<int> ops_;
    QByteArray document_;
    std::vector<std::thread> connections_;
    std::thread acceptor_;
};
