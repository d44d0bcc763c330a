#pragma once
// One host connection: the CNXN handshake (or the configured refusal), then
// the streams the host opens, each with the protocol's flow control (one
// WRTE in flight per stream until the host's OKAY).

#include "PhoneState.hpp"

#include <mutex>
#include <string>

namespace fakephone {

// Appends one line per opened service to a file, so tests see exactly what
// reached the phone. Bytes outside printable ASCII are written as \n, \r,
// \0, \\ or \xHH, so that a line is always one service.
class Journal {
public:
    explicit Journal(std::string path) : path_(std::move(path)) {}
    void append(const std::string& service);

private:
    std::mutex lock_;
    std::string path_;
};

// Serves the connection until the host closes it; closes the socket.
void ServeConnection(int socket, PhoneState& phone, Journal& journal);

} // namespace fakephone
