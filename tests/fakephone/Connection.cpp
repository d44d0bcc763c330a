#include "Connection.hpp"

#include "Protocol.hpp"
#include "Services.hpp"

#include <fcntl.h>
#include <sys/socket.h>
#include <unistd.h>

#include <deque>
#include <map>
#include <memory>

namespace fakephone {

void Journal::append(const std::string& service)
{
    if (path_.empty())
        return;
    static const char digits[] = "0123456789abcdef";
    std::string line;
    for (unsigned char c : service) {
        if (c == '\\')
            line += "\\\\";
        else if (c == '\n')
            line += "\\n";
        else if (c == '\r')
            line += "\\r";
        else if (c == '\0')
            line += "\\0";
        else if (c < 0x20 || c == 0x7F) {
            line += "\\x";
            line += digits[c >> 4];
            line += digits[c & 15];
        } else
            line += static_cast<char>(c);
    }
    line += '\n';
    std::lock_guard guard(lock_);
    // Opened for each line, so a reader sees the line as soon as the host
    // has its answer.
    const int fd = ::open(path_.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644);
    if (fd < 0)
        return;
    const ssize_t written = ::write(fd, line.data(), line.size());
    (void)written;
    ::close(fd);
}

namespace {

struct Stream {
    std::uint32_t hostId = 0;
    std::unique_ptr<Service> service;
    std::deque<std::string> outgoing;
    bool awaitingOkay = false;
    bool closeWhenDrained = false;
    bool dropLinkAfter = false;
    bool faultCandidate = false; // of the configured fault's service kind
    std::size_t carried = 0;     // bytes so far, both directions
    bool hung = false;           // the fault "hang" struck: nothing more is served
};

class Connection {
public:
    Connection(int socket, PhoneState& phone, Journal& journal) : socket_(socket), phone_(phone), journal_(journal) {}

    void run()
    {
        while (!dropLink_) {
            const auto message = ReadMessage(socket_);
            if (!message || !handle(*message))
                break;
        }
    }

private:
    bool handle(const Message& m)
    {
        if (m.command == kConnect)
            return handshake(m);
        if (m.command == kAuth)
            return auth(m);
        if (!online_)
            return true;
        if (m.command == kOpen)
            return open(m);
        const auto it = streams_.find(m.arg1);
        if (it == streams_.end())
            return true; // a stream that is already closed: ignored, as the protocol says
        Stream& stream = it->second;
        if (m.command == kOkay) {
            stream.awaitingOkay = false;
            return flush(m.arg1);
        }
        if (m.command == kWrite) {
            if (stream.hung)
                return true; // no OKAY: the host's side stalls, as with a phone that froze
            if (faultStrikes(stream, m.data.size()))
                return strike(stream);
            if (!WriteMessage(socket_, kOkay, m.arg1, m.arg0))
                return false;
            ServiceOutput out;
            stream.service->receive(m.data, out);
            queue(stream, std::move(out));
            return flush(m.arg1);
        }
        if (m.command == kClose)
            streams_.erase(it);
        return true;
    }

    bool handshake(const Message& m)
    {
        hostMaxPayload_ = std::min<std::uint32_t>(m.arg1 == 0 ? 4096 : m.arg1, kMaxPayload);
        switch (phone_.config().auth) {
        case AuthMode::None:
            return acceptHost(m.arg0);
        case AuthMode::Unauthorized:
            hostVersion_ = m.arg0;
            return sendToken();
        case AuthMode::Silent:
            return true;
        }
        return true;
    }

    bool auth(const Message& m)
    {
        if (phone_.config().auth == AuthMode::None)
            return acceptHost(hostVersion_);
        // A signature never verifies; a public key waits for a confirmation that never comes.
        return m.arg0 == 2 ? sendToken() : true;
    }

    bool sendToken()
    {
        return WriteMessage(socket_, kAuth, kAuthToken, 0, "fakephone-token-0123");
    }

    bool acceptHost(std::uint32_t hostVersion)
    {
        std::string banner;
        {
            std::lock_guard guard(phone_.lock);
            banner = "device::" + phone_.banner();
        }
        online_ = true;
        const std::uint32_t version = hostVersion != 0 ? std::min(hostVersion, kProtocolVersion) : kProtocolVersion;
        return WriteMessage(socket_, kConnect, version, kMaxPayload, banner);
    }

    bool open(const Message& m)
    {
        std::string name = m.data;
        while (!name.empty() && name.back() == '\0')
            name.pop_back();
        journal_.append(name);
        auto service = OpenService(name, phone_);
        if (!service)
            return WriteMessage(socket_, kClose, 0, m.arg0);
        const std::uint32_t id = nextId_++;
        Stream& stream = streams_[id];
        stream.hostId = m.arg0;
        stream.service = std::move(service);
        stream.dropLinkAfter = phone_.config().dropAfter.count(ServiceKind(name)) != 0;
        stream.faultCandidate = phone_.config().fault.action != Fault::Action::None
            && phone_.config().fault.service == ServiceKind(name);
        if (!WriteMessage(socket_, kOkay, id, m.arg0))
            return false;
        ServiceOutput out;
        stream.service->start(out);
        queue(stream, std::move(out));
        return flush(id);
    }

    void queue(Stream& stream, ServiceOutput out)
    {
        for (std::size_t at = 0; at < out.data.size(); at += hostMaxPayload_)
            stream.outgoing.push_back(out.data.substr(at, hostMaxPayload_));
        stream.closeWhenDrained = stream.closeWhenDrained || out.close;
    }

    // Sends the next chunk once the previous one was acknowledged, and the
    // close once everything was.
    bool flush(std::uint32_t id)
    {
        Stream& stream = streams_.at(id);
        if (stream.awaitingOkay || stream.hung)
            return true;
        if (!stream.outgoing.empty()) {
            stream.awaitingOkay = true;
            std::string chunk = std::move(stream.outgoing.front());
            stream.outgoing.pop_front();
            if (faultStrikes(stream, chunk.size())) {
                // What fits below the limit still goes out, then the fault.
                const std::size_t allowed = phone_.config().fault.afterBytes - stream.carried;
                if (allowed > 0 && !WriteMessage(socket_, kWrite, id, stream.hostId, chunk.substr(0, allowed)))
                    return false;
                return strike(stream);
            }
            return WriteMessage(socket_, kWrite, id, stream.hostId, chunk);
        }
        if (!stream.closeWhenDrained)
            return true;
        const bool sent = WriteMessage(socket_, kClose, id, stream.hostId);
        dropLink_ = dropLink_ || stream.dropLinkAfter;
        streams_.erase(id);
        return sent;
    }

    // Whether the configured fault strikes as `size` more bytes pass on this
    // stream; it strikes once in the phone's life. Counts the bytes otherwise.
    bool faultStrikes(Stream& stream, std::size_t size)
    {
        if (!stream.faultCandidate)
            return false;
        if (stream.carried + size > phone_.config().fault.afterBytes) {
            std::lock_guard guard(phone_.lock);
            if (!phone_.faultSpent) {
                phone_.faultSpent = true;
                return true;
            }
        }
        stream.carried += size;
        return false;
    }

    // Acts out the fault; false ends the connection (the phone vanished).
    bool strike(Stream& stream)
    {
        if (phone_.config().fault.action == Fault::Action::Drop)
            return false;
        stream.hung = true;
        stream.outgoing.clear();
        return true;
    }

    int socket_;
    PhoneState& phone_;
    Journal& journal_;
    bool online_ = false;
    bool dropLink_ = false;
    std::uint32_t hostVersion_ = kProtocolVersion;
    std::uint32_t hostMaxPayload_ = 4096;
    std::uint32_t nextId_ = 1;
    std::map<std::uint32_t, Stream> streams_;
};

} // namespace

void ServeConnection(int socket, PhoneState& phone, Journal& journal)
{
    Connection(socket, phone, journal).run();
    ::shutdown(socket, SHUT_RDWR);
    ::close(socket);
}

} // namespace fakephone
