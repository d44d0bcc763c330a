#include "Services.hpp"

#include "InstallSession.hpp"
#include "Shell.hpp"

#include <algorithm>
#include <chrono>
#include <functional>
#include <thread>

namespace fakephone {

namespace {

// Packet ids of the shell protocol (shell_v2).
enum : char { kShellStdout = 1, kShellStderr = 2, kShellExit = 3 };

std::string WithLineEnding(const std::string& text, const std::string& ending)
{
    if (ending == "\n")
        return text;
    std::string out;
    for (char c : text) {
        if (c == '\n')
            out += ending;
        else
            out += c;
    }
    return out;
}

void AppendShellPacket(std::string& out, char id, std::string_view data)
{
    // Small packets, as a phone's shell sends them.
    do {
        const std::string_view part = data.substr(0, 4096);
        out += id;
        const auto size = static_cast<std::uint32_t>(part.size());
        for (int i = 0; i < 4; ++i)
            out += static_cast<char>((size >> (8 * i)) & 0xFF);
        out.append(part);
        data.remove_prefix(part.size());
    } while (!data.empty());
}

// A shell command, run when the stream opens. With the shell protocol its
// two streams and its exit status go in separate packets; without it both
// streams share the one byte stream, as a pty merges them.
class ShellService : public Service {
public:
    ShellService(std::string command, bool shellProtocol, PhoneState& phone)
        : command_(std::move(command)), shellProtocol_(shellProtocol), phone_(phone)
    {
    }

    void start(ServiceOutput& out) override
    {
        // A real pm asks for the whole list before it prints its first line
        // (AOSP cmds/pm Pm.java, runListPackages: getInstalledPackages, then
        // one println per package): on a busy phone nothing comes for a while.
        if (const int delay = AnswerDelay(command_, phone_.config()); delay > 0)
            std::this_thread::sleep_for(std::chrono::milliseconds(delay));
        ShellResult result;
        std::string ending;
        {
            std::lock_guard guard(phone_.lock);
            result = RunShell(command_, phone_);
            ending = phone_.config().lineEnding;
        }
        const std::string stdoutText = WithLineEnding(result.out, ending);
        const std::string stderrText = WithLineEnding(result.err, ending);
        if (shellProtocol_) {
            if (!stdoutText.empty())
                AppendShellPacket(out.data, kShellStdout, stdoutText);
            if (!stderrText.empty())
                AppendShellPacket(out.data, kShellStderr, stderrText);
            AppendShellPacket(out.data, kShellExit, std::string(1, static_cast<char>(result.status & 0xFF)));
        } else {
            out.data = stdoutText + stderrText;
        }
        out.close = true;
    }

private:
    std::string command_;
    bool shellProtocol_;
    PhoneState& phone_;
};

// Takes exactly `size` bytes from the host, then answers what `finish` makes
// of them and closes.
class ReceiveThenAnswerService : public Service {
public:
    ReceiveThenAnswerService(std::size_t size, PhoneState& phone, std::function<std::string(std::string)> finish)
        : size_(size), phone_(phone), finish_(std::move(finish))
    {
    }

    void start(ServiceOutput& out) override { finishIfComplete(out); }

    void receive(std::string_view data, ServiceOutput& out) override
    {
        if (done_)
            return;
        bytes_.append(data.substr(0, size_ - bytes_.size()));
        finishIfComplete(out);
    }

private:
    void finishIfComplete(ServiceOutput& out)
    {
        if (done_ || bytes_.size() < size_)
            return;
        done_ = true;
        std::lock_guard guard(phone_.lock);
        out.data = finish_(std::move(bytes_));
        out.close = true;
    }

    std::size_t size_;
    PhoneState& phone_;
    std::function<std::string(std::string)> finish_;
    std::string bytes_;
    bool done_ = false;
};

// A service that answers a fixed text and closes.
class TextService : public Service {
public:
    explicit TextService(std::string text) : text_(std::move(text)) {}
    void start(ServiceOutput& out) override
    {
        out.data = text_;
        out.close = true;
    }

private:
    std::string text_;
};

bool IsNumber(const std::string& text)
{
    return !text.empty() && text.size() < 19
        && std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// exec: and abb_exec: share this: an install with -S reads the package file;
// anything else runs through the shell with plain LF output.
std::unique_ptr<Service> OpenCommand(const std::vector<std::string>& args, const std::string& commandLine,
                                     PhoneState& phone)
{
    if (IsInstallSessionCommand(args))
        return OpenInstallSession(args, phone);
    const bool isInstall = (args.size() > 2 && args[0] == "cmd" && args[1] == "package" && args[2] == "install")
        || (args.size() > 1 && args[0] == "package" && args[1] == "install");
    if (isInstall) {
        std::vector<std::string> rest;
        const std::size_t first = args[0] == "cmd" ? 3 : 2;
        const InstallOptions options = ParseInstallOptions(args, first, rest);
        const auto sizeFlag = std::find(rest.begin(), rest.end(), "-S");
        if (sizeFlag != rest.end() && sizeFlag + 1 != rest.end() && IsNumber(*(sizeFlag + 1))) {
            // cmd package install ... -S SIZE: the package file, then pm's verdict. Its
            // output never passes through a shell, so its lines end in LF whatever the
            // phone's terminal does.
            const std::size_t size = std::stoull(*(sizeFlag + 1));
            return ReceiveThenAnswer(size, phone, [&phone, options](std::string bytes) {
                return InstallPackage(phone, bytes, options) + "\n";
            });
        }
    }
    std::lock_guard guard(phone.lock);
    const ShellResult result = RunShell(commandLine, phone);
    return std::make_unique<TextService>(result.out + result.err);
}

bool IsPort(const std::string& text)
{
    return IsNumber(text) && text.size() <= 5 && std::stoi(text) > 0 && std::stoi(text) < 65536;
}

} // namespace

std::unique_ptr<Service> ReceiveThenAnswer(std::size_t size, PhoneState& phone,
                                           std::function<std::string(std::string)> finish)
{
    return std::make_unique<ReceiveThenAnswerService>(size, phone, std::move(finish));
}

std::unique_ptr<Service> AnswerText(std::string text) { return std::make_unique<TextService>(std::move(text)); }

std::string ServiceKind(const std::string& name)
{
    return name.substr(0, name.find_first_of(":,"));
}

std::unique_ptr<Service> OpenService(const std::string& name, PhoneState& phone)
{
    const std::size_t colon = name.find(':');
    if (colon == std::string::npos)
        return nullptr;
    const std::string kind = ServiceKind(name);
    const std::string rest = name.substr(colon + 1);

    if (kind == "shell") {
        // shell[,ARG...]:COMMAND, where the arguments may name v2, raw, pty, TERM=...
        const std::string options = name.substr(5, colon - 5);
        const bool shellProtocol = (options + ",").find(",v2,") != std::string::npos;
        return std::make_unique<ShellService>(rest, shellProtocol, phone);
    }
    if (kind == "exec")
        return OpenCommand(SplitWords(rest), rest, phone);
    if (kind == "abb_exec") {
        std::vector<std::string> args;
        std::size_t start = 0;
        for (std::size_t nul; (nul = rest.find('\0', start)) != std::string::npos; start = nul + 1)
            args.push_back(rest.substr(start, nul - start));
        args.push_back(rest.substr(start));
        std::string commandLine = "cmd";
        for (const auto& arg : args)
            commandLine += " '" + arg + "'";
        return OpenCommand(args, commandLine, phone);
    }
    if (kind == "sync")
        return OpenSyncService(phone);
    if (kind == "reboot")
        return std::make_unique<TextService>("");
    if (kind == "tcpip")
        return std::make_unique<TextService>(IsPort(rest) ? "restarting in TCP mode port: " + rest + "\n"
                                                          : "invalid port " + rest + "\n");
    if (kind == "usb")
        return std::make_unique<TextService>("restarting in USB mode\n");
    return nullptr;
}

} // namespace fakephone
