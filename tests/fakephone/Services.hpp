#pragma once
// The services a host can open on the phone (the text of an OPEN message):
// shell (legacy and shell_v2 framing), exec and abb_exec (the streamed
// install), sync (the push of the legacy install), reboot, tcpip and usb.

#include "PhoneState.hpp"

#include <functional>
#include <memory>
#include <string>
#include <string_view>

namespace fakephone {

// What a service has for the host after an event.
struct ServiceOutput {
    std::string data;   // bytes for the host, in order
    bool close = false; // close the stream once they are delivered
};

class Service {
public:
    virtual ~Service() = default;
    // The stream has just been accepted.
    virtual void start(ServiceOutput&) {}
    // The host wrote these bytes to the stream.
    virtual void receive(std::string_view, ServiceOutput&) {}
};

// The service for an OPEN's text, or nullptr when the phone refuses it.
std::unique_ptr<Service> OpenService(const std::string& name, PhoneState& phone);

// Takes exactly `size` bytes from the host, then answers what `finish` makes
// of them (called with the phone's lock held) and closes: an install's upload.
std::unique_ptr<Service> ReceiveThenAnswer(std::size_t size, PhoneState& phone,
                                           std::function<std::string(std::string)> finish);

// A service that answers this text and closes.
std::unique_ptr<Service> AnswerText(std::string text);

// The sync service (sync:), in Sync.cpp.
std::unique_ptr<Service> OpenSyncService(PhoneState& phone);

// The service's name as drop_after lists it: the text before the first ':'
// or ',' ("reboot", "shell", "tcpip").
std::string ServiceKind(const std::string& name);

} // namespace fakephone
