#include "ipp_stand_in.h"

#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <chrono>
#include <cstring>

namespace {
using Clock = std::chrono::steady_clock;
constexpr auto kLongest = std::chrono::seconds(30);

std::string be16(int v) { return {char((v >> 8) & 0xff), char(v & 0xff)}; }
std::string be32(int v) { return be16(v >> 16) + be16(v); }

std::string attribute(int tag, const std::string& name, const std::string& value) {
    return char(tag) + be16(int(name.size())) + name + be16(int(value.size())) + value;
}

std::string printerGroup(const std::string& name) {
    return "\x04" + attribute(0x42, "printer-name", name) +
           attribute(0x45, "printer-uri-supported", "ipp://localhost/printers/" + name) +
           attribute(0x22, "printer-is-accepting-jobs", std::string(1, '\x01')) +
           attribute(0x23, "printer-state", be32(3));
}

int number(const std::string& s, size_t at, int bytes) {
    int v = 0;
    for (int i = 0; i < bytes; ++i) v = v << 8 | static_cast<unsigned char>(s[at + i]);
    return v;
}

// The value of the printer-uri attribute of a request, and where its
// attributes end and a document begins.
std::string printerUri(const std::string& ipp, size_t& end) {
    std::string uri;
    size_t at = 8;
    while (at < ipp.size()) {
        const int tag = static_cast<unsigned char>(ipp[at++]);
        if (tag == 0x03) break;
        if (tag < 0x10) continue;
        if (at + 2 > ipp.size()) break;
        const int nameLength = number(ipp, at, 2);
        const std::string name = ipp.substr(at + 2, nameLength);
        at += 2 + nameLength;
        if (at + 2 > ipp.size()) break;
        const int valueLength = number(ipp, at, 2);
        if (name == "printer-uri") uri = ipp.substr(at + 2, valueLength);
        at += 2 + valueLength;
    }
    end = std::min(at, ipp.size());
    return uri;
}

bool sendAll(int fd, const std::string& data) {
    for (size_t done = 0; done < data.size();) {
        const ssize_t n = ::send(fd, data.data() + done, data.size() - done, MSG_NOSIGNAL);
        if (n <= 0) return false;
        done += static_cast<size_t>(n);
    }
    return true;
}
}  // namespace

IppStandIn::IppStandIn(std::string socketPath, Setup setup) : path_(std::move(socketPath)), setup_(setup) {
    listener_ = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::strncpy(address.sun_path, path_.c_str(), sizeof(address.sun_path) - 1);
    ::unlink(path_.c_str());
    if (::bind(listener_, reinterpret_cast<sockaddr*>(&address), sizeof(address)) == 0 &&
        ::listen(listener_, 16) == 0)
        acceptor_ = std::thread([this] { acceptLoop(); });
}

IppStandIn::~IppStandIn() {
    stop_ = true;
    if (acceptor_.joinable()) acceptor_.join();
    for (std::thread& t : connections_) t.join();
    ::close(listener_);
    ::unlink(path_.c_str());
}

void IppStandIn::acceptLoop() {
    const auto until = Clock::now() + kLongest;
    while (!stop_ && Clock::now() < until) {
        pollfd p{listener_, POLLIN, 0};
        if (::poll(&p, 1, 10) <= 0) continue;
        const int fd = ::accept4(listener_, nullptr, nullptr, SOCK_CLOEXEC);
        if (fd >= 0) connections_.emplace_back([this, fd] { serve(fd); });
    }
}

bool IppStandIn::readMore(int fd, std::string& buffer) {
    const auto until = Clock::now() + kLongest;
    while (!stop_ && Clock::now() < until) {
        pollfd p{fd, POLLIN, 0};
        const int ready = ::poll(&p, 1, 10);
        if (ready < 0 && errno != EINTR) return false;
        if (ready <= 0) continue;
        char chunk[65536];
        const ssize_t n = ::read(fd, chunk, sizeof chunk);
        if (n <= 0) return false;
        buffer.append(chunk, static_cast<size_t>(n));
        return true;
    }
    return false;
}

// One connection: requests one after another, as libcups keeps it open.
void IppStandIn::serve(int fd) {
    std::string in;
    for (;;) {
        size_t headEnd;
        while ((headEnd = in.find("\r\n\r\n")) == std::string::npos)
            if (!readMore(fd, in)) {
                ::close(fd);
                return;
            }
        std::string head = in.substr(0, headEnd);
        in.erase(0, headEnd + 4);
        std::transform(head.begin(), head.end(), head.begin(),
                       [](unsigned char c) { return std::tolower(c); });
        if (head.find("expect: 100-continue") != std::string::npos &&
            !sendAll(fd, "HTTP/1.1 100 Continue\r\n\r\n"))
            break;
        std::string body;
        bool whole = true;
        if (head.find("transfer-encoding: chunked") != std::string::npos) {
            for (;;) {
                size_t lineEnd;
                while ((lineEnd = in.find("\r\n")) == std::string::npos && (whole = readMore(fd, in))) {
                }
                if (!whole) break;
                const size_t size = std::stoul(in.substr(0, lineEnd), nullptr, 16);
                in.erase(0, lineEnd + 2);
                while (in.size() < size + 2 && (whole = readMore(fd, in))) {
                }
                if (!whole) break;
                body += in.substr(0, size);
                in.erase(0, size + 2);
                if (size == 0) break;
            }
        } else {
            const size_t at = head.find("content-length:");
            const size_t length = at == std::string::npos ? 0 : std::stoul(head.substr(at + 15));
            while (in.size() < length && (whole = readMore(fd, in))) {
                // Broken off as soon as the request shows what it is, while
                // the rest of it is still on its way.
                if (setup_.dropOp != 0 && in.size() >= 8 && number(in, 2, 2) == setup_.dropOp &&
                    in.size() < length) {
                    std::lock_guard lock(mutex_);
                    ops_.push_back(setup_.dropOp);
                    whole = false;
                    break;
                }
            }
            if (whole) {
                body = in.substr(0, length);
                in.erase(0, length);
            }
        }
        if (!whole || body.size() < 8) break;
        const int op = number(body, 2, 2), id = number(body, 4, 4);
        size_t attributesEnd = 0;
        const std::string uri = printerUri(body, attributesEnd);
        {
            std::lock_guard lock(mutex_);
            ops_.push_back(op);
            if (op == ipp::kSendDocument || op == ipp::kPrintJob) {
                document_ = QByteArray::fromStdString(body.substr(attributesEnd));
                ++documents_;
            }
        }
        if (op == setup_.holdOp && !released_) {
            const size_t n = static_cast<size_t>(held_++);
            ++holding_;
            const auto until = Clock::now() + (n < setup_.answerAfter.size()
                                                   ? std::chrono::duration_cast<Clock::duration>(
                                                         std::chrono::duration<double>(setup_.answerAfter[n]))
                                                   : Clock::duration(kLongest));
            while (!released_ && !stop_ && Clock::now() < until)
                std::this_thread::sleep_for(std::chrono::milliseconds(2));
            --holding_;
        }
        const std::string ipp = answer(op, id, uri);
        const std::string response = "HTTP/1.1 200 OK\r\nContent-Type: application/ipp\r\nContent-Length: " +
                                     std::to_string(ipp.size()) + "\r\n\r\n" + ipp;
        if (stop_ || !sendAll(fd, response)) break;
    }
    ::close(fd);
}

std::string IppStandIn::answer(int op, int id, const std::string& printerUri) {
    int status = 0;
    std::string groups;
    const auto& printers = setup_.printers;
    switch (op) {
        case ipp::kGetDefault:
            if (setup_.hasDefault && !printers.empty())
                groups = printerGroup(printers[0]);
            else
                status = 0x0406;
            break;
        case ipp::kGetPrinters:
            for (const std::string& name : printers) groups += printerGroup(name);
            if (printers.empty()) status = 0x0406;
            break;
        case ipp::kGetPrinterAttributes: {
            const std::string name = printerUri.substr(printerUri.rfind('/') + 1);
            if (std::find(printers.begin(), printers.end(), name) != printers.end())
                groups = printerGroup(name);
            else
                status = 0x0406;
            break;
        }
        case ipp::kPrintJob:
        case ipp::kCreateJob:
        case ipp::kSendDocument:
            groups = "\x02" + attribute(0x21, "job-id", be32(7)) + attribute(0x23, "job-state", be32(3));
            break;
        default:
            break;
    }
    if (op == setup_.refuseOp) {
        status = setup_.refuseStatus;
        groups.clear();
    }
    return std::string("\x02\x00", 2) + be16(status) + be32(id) + "\x01" +
           attribute(0x47, "attributes-charset", "utf-8") +
           attribute(0x48, "attributes-natural-language", "en") + groups + "\x03";
}

bool IppStandIn::waitFor(int op) {
    const auto until = Clock::now() + std::chrono::seconds(10);
    while (Clock::now() < until) {
        {
            std::lock_guard lock(mutex_);
            if (std::find(ops_.begin(), ops_.end(), op) != ops_.end()) return true;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    return false;
}

std::vector<int> IppStandIn::operations() const {
    std::lock_guard lock(mutex_);
    return ops_;
}

QByteArray IppStandIn::document() const {
    std::lock_guard lock(mutex_);
    return document_;
}

int IppStandIn::documents() const {
    std::lock_guard lock(mutex_);
    return documents_;
}
