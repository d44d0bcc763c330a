// Argument texts the adb server answers by itself (device list, connect,
// disconnect, kill-server, errors about devices), several phones, and a
// phone the server finds on its own as an emulator.

#include "EndToEnd.hpp"

namespace quoddle::test {
namespace {

struct HostRow {
    std::string args; // {S} the phone's serial, {PORT} the server's port, {CLOSED} a port nobody listens on
    Outcome outcome;
};

TEST(HostCommands, AnswerWithAdbsOwnLinesAndNeverReachThePhone)
{
    AdbSessionOptions options;
    options.startServer = false;
    options.connect = false;
    AdbSession session(options);
    const std::string closed = "127.0.0.1:" + std::to_string(FreeLoopbackPort());

    const std::vector<HostRow> rows = {
        // The first run starts the server and says so on standard error.
        {"devices", AdbOutcome({"List of devices attached", ""},
                               {"* daemon not running; starting now at tcp:{PORT}", "* daemon started successfully"})},
        {"connect {S}", AdbOutcome({"connected to {S}"})},
        {"connect {S}", AdbOutcome({"already connected to {S}"})},
        {"devices", AdbOutcome({"List of devices attached", "{S}\tdevice", ""})},
        // A failed connect exits 0 and prints on standard output.
        {"connect {CLOSED}", AdbOutcome({"failed to connect to '{CLOSED}': Connection refused"})},
        {"-s NOSUCHSERIAL reboot", AdbOutcome({}, {"error: device 'NOSUCHSERIAL' not found"}, 1)},
        {"disconnect {S}", AdbOutcome({"disconnected {S}"})},
        {"disconnect {S}", AdbOutcome({}, {"error: no such device '{S}'"}, 1)},
        {"devices", AdbOutcome({"List of devices attached", ""})},
        {"shell pm getInstallLocation", AdbOutcome({}, {"error: no devices/emulators found"}, 1)},
        {"-s {S} shell getprop ro.product.model", AdbOutcome({}, {"error: device '{S}' not found"}, 1)},
        {"kill-server", AdbOutcome({})},
        {"kill-server", AdbOutcome({}, {"cannot connect to daemon at tcp:{PORT}: Connection refused"}, 0)},
    };

    auto fill = [&](std::string text) {
        text = Replace(text, "{S}", session.Serial());
        text = Replace(text, "{CLOSED}", closed);
        return Replace(text, "{PORT}", std::to_string(session.ServerPort()));
    };
    TSfcConsoleIOHandler runner;
    for (const HostRow& row : rows) {
        const std::string args = fill(row.args);
        SCOPED_TRACE(args);
        Outcome expected = row.outcome;
        for (auto* lines : {&expected.lines, &expected.errorLines})
            for (auto& line : *lines)
                line = fill(line);
        EXPECT_EQ(RunAdb(runner, session, args), expected);
    }
    EXPECT_EQ(session.TakeJournal(), std::vector<std::string>{});
}

TEST(TwoPhones, AreListedBySerialTextAndCommandsWithoutSerialFail)
{
    AdbSession session;
    const std::size_t second = session.AddPhone(R"({"properties": {"ro.product.model": "Phone B"}})");
    const std::string first = session.Serial(0);
    const std::string other = session.Serial(second);
    TSfcConsoleIOHandler runner;

    // Sorted as text, not in the order of connection.
    const auto [low, high] = std::minmax(first, other);
    EXPECT_EQ(RunAdb(runner, session, "devices"),
              AdbOutcome({"List of devices attached", low + "\tdevice", high + "\tdevice", ""}));
    EXPECT_EQ(RunAdb(runner, session, "shell pm getInstallLocation"),
              AdbOutcome({}, {"error: more than one device/emulator"}, 1));
    EXPECT_EQ(RunAdb(runner, session, "-s " + other + " shell getprop ro.product.model").lines,
              std::vector<std::string>{"Phone B"});
    EXPECT_EQ(session.TakeJournal(0), std::vector<std::string>{});
    EXPECT_EQ(session.TakeJournal(second),
              std::vector<std::string>{"shell,v2,TERM=dumb,raw:getprop ro.product.model"});
}

bool LoopbackPortIsFree(int port)
{
    const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = htons(static_cast<std::uint16_t>(port));
    const bool free = ::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
    ::close(fd);
    return free;
}

TEST(Emulator, PhoneListeningOn5555BeforeTheServerStartsIsListedAsEmulator5554)
{
    if (!LoopbackPortIsFree(5555))
        GTEST_SKIP() << "127.0.0.1:5555 is in use by another program";
    AdbSessionOptions options;
    options.emulator = true;
    options.connect = false;
    AdbSession session(options);
    // The server's first listing may still say "offline" while the handshake runs.
    ASSERT_TRUE(session.WaitForState("emulator-5554", "device"));
    TSfcConsoleIOHandler runner;

    EXPECT_EQ(RunAdb(runner, session, "devices"), AdbOutcome({"List of devices attached", "emulator-5554\tdevice", ""}));
    EXPECT_EQ(RunAdb(runner, session, "-s emulator-5554 shell getprop ro.product.model"),
              AdbOutcome({"Fake Phone One"}));
    EXPECT_EQ(session.TakeJournal(), std::vector<std::string>{"shell,v2,TERM=dumb,raw:getprop ro.product.model"});
}

} // namespace
} // namespace quoddle::test
