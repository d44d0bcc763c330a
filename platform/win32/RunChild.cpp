// A hidden child with both standard outputs on pipes, read on the caller's
// thread. The pipes are named pipes opened for overlapped reads, because the
// anonymous pipes of CreatePipe can only be read with blocking calls: one
// wait then serves both streams and the "while waiting" callback, so a child
// that fills its standard error first never blocks and the window keeps painting.

#include "Win32Support.hpp"

#include "platform/Error.hpp"
#include "platform/Platform.hpp"

#include <algorithm>
#include <atomic>
#include <memory>

namespace quoddle::platform {

using win32::Handle;
using win32::ThrowLastError;
using win32::Widen;

namespace {

// Room in the pipe for what a child writes between two of our reads, and the
// most one read takes. A read is handed on in pieces of kReadSize: the very
// pieces that reads of that size would have returned, since a pipe read gives
// what the pipe holds up to the size asked, with one call instead of many.
constexpr DWORD kPipeBufferSize = 64 * 1024;

struct ChildPipe {
    Handle read;  // ours: overlapped, not inheritable
    Handle write; // the child's: inheritable
};

ChildPipe MakeChildPipe()
{
    static std::atomic<unsigned> counter{0};
    const std::wstring name = L"\\\\.\\pipe\\quoddle-" + std::to_wstring(::GetCurrentProcessId()) + L"-"
        + std::to_wstring(counter++);
    ChildPipe pipe;
    pipe.read.reset(::CreateNamedPipeW(name.c_str(), PIPE_ACCESS_INBOUND | FILE_FLAG_OVERLAPPED | FILE_FLAG_FIRST_PIPE_INSTANCE,
                                       PIPE_TYPE_BYTE | PIPE_READMODE_BYTE | PIPE_WAIT | PIPE_REJECT_REMOTE_CLIENTS, 1,
                                       0, kPipeBufferSize, 0, nullptr));
    if (!pipe.read.valid())
        ThrowLastError();
    SECURITY_ATTRIBUTES inheritable{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
    pipe.write.reset(::CreateFileW(name.c_str(), GENERIC_WRITE | FILE_READ_ATTRIBUTES, 0, &inheritable, OPEN_EXISTING,
                                   0, nullptr));
    if (!pipe.write.valid())
        ThrowLastError();
    return pipe;
}

// The command line of a run. A program path is passed to CreateProcessW as
// the application name and put first on the command line, quoted when it
// holds a blank: unquoted, "C:\Program Files\x\adb.exe devices" would show the
// child "Files\x\adb.exe" as its first argument.
std::string CommandLineOf(const ChildCommand& command)
{
    if (command.program.empty())
        return command.arguments;
    const bool quote = command.program.find_first_of(" \t") != std::string::npos;
    return (quote ? "\"" + command.program + "\"" : command.program) + " " + command.arguments;
}

// One pipe, one overlapped read at a time.
class PipeReader {
public:
    PipeReader(Handle pipe, Stream stream) : pipe_(std::move(pipe)), stream_(stream)
    {
        event_.reset(::CreateEventW(nullptr, TRUE, FALSE, nullptr));
        if (!event_.valid())
            ThrowLastError();
    }
    PipeReader(const PipeReader&) = delete;
    PipeReader& operator=(const PipeReader&) = delete;
    ~PipeReader()
    {
        // The system writes into overlapped_ and buffer_ until the read is
        // over: cancel it and wait before they go away.
        if (pending_) {
            ::CancelIoEx(pipe_.get(), &overlapped_);
            DWORD ignored = 0;
            ::GetOverlappedResult(pipe_.get(), &overlapped_, &ignored, TRUE);
        }
    }

    bool open() const { return open_; }
    HANDLE event() const { return event_.get(); }
    Stream stream() const { return stream_; }

    // Starts the next read; a failure to start (the pipe's end) closes the reader.
    void start()
    {
        overlapped_ = OVERLAPPED{};
        overlapped_.hEvent = event_.get();
        if (::ReadFile(pipe_.get(), buffer_.get(), kPipeBufferSize, nullptr, &overlapped_)
            || ::GetLastError() == ERROR_IO_PENDING)
            pending_ = true;
        else
            close();
    }

    // Once the event is set: the bytes of the finished read (possibly none),
    // or false when it failed, which ends the pipe.
    bool finish(std::string_view& bytes)
    {
        DWORD got = 0;
        const BOOL done = ::GetOverlappedResult(pipe_.get(), &overlapped_, &got, FALSE);
        pending_ = false;
        if (!done) {
            close();
            return false;
        }
        bytes = std::string_view(buffer_.get(), got);
        return true;
    }

private:
    void close()
    {
        open_ = false;
        pipe_.reset();
    }

    Handle pipe_;
    Handle event_;
    Stream stream_;
    OVERLAPPED overlapped_{};
    std::unique_ptr<char[]> buffer_{new char[kPipeBufferSize]};
    bool pending_ = false;
    bool open_ = true;
};

void DrainPipes(PipeReader& output, PipeReader& error, const ChildCallbacks& callbacks, DWORD interval)
{
    PipeReader* readers[2] = {&output, &error};
    for (PipeReader* reader : readers)
        reader->start();
    for (;;) {
        HANDLE events[2];
        PipeReader* waitingOn[2];
        DWORD count = 0;
        for (PipeReader* reader : readers) {
            if (reader->open()) {
                events[count] = reader->event();
                waitingOn[count++] = reader;
            }
        }
        if (count == 0)
            return;
        const DWORD woken = ::WaitForMultipleObjects(count, events, FALSE, interval);
        if (woken == WAIT_TIMEOUT) {
            callbacks.whileWaiting();
            continue;
        }
        if (woken >= WAIT_OBJECT_0 + count)
            ThrowLastError();
        PipeReader& reader = *waitingOn[woken - WAIT_OBJECT_0];
        std::string_view bytes;
        if (!reader.finish(bytes))
            continue; // that pipe has ended
        for (std::size_t at = 0; callbacks.onRead && at < bytes.size(); at += kReadSize)
            callbacks.onRead(reader.stream(), bytes.substr(at, kReadSize));
        reader.start();
    }
}

} // namespace

int RunChild(const ChildCommand& command, const ChildCallbacks& callbacks)
{
    const std::wstring application = Widen(command.program);
    std::wstring commandLine = Widen(CommandLineOf(command));
    const std::wstring workDir = Widen(command.workDir);

    Handle outputRead, errorRead;
    PROCESS_INFORMATION started{};
    {
        std::lock_guard<std::mutex> lock(win32::InheritableHandlesLock());
        ChildPipe output = MakeChildPipe();
        ChildPipe error = MakeChildPipe();
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        startup.dwFlags = STARTF_USESTDHANDLES | STARTF_USESHOWWINDOW;
        startup.wShowWindow = SW_HIDE;
        startup.hStdInput = nullptr; // no standard input
        startup.hStdOutput = output.write.get();
        startup.hStdError = error.write.get();
        // The process handle is not made inheritable: a later child has no use for it.
        if (!::CreateProcessW(application.empty() ? nullptr : application.c_str(), commandLine.data(), nullptr,
                              nullptr, TRUE, CREATE_NEW_CONSOLE | CREATE_UNICODE_ENVIRONMENT, nullptr,
                              workDir.empty() ? nullptr : workDir.c_str(), &startup, &started))
            ThrowLastError(); // the pipes close on the way out
        outputRead = std::move(output.read);
        errorRead = std::move(error.read);
        // The write ends close here: each pipe then ends once the child (and
        // whatever inherited them from it) has closed its copy.
    }
    Handle process(started.hProcess);
    ::CloseHandle(started.hThread);

    const DWORD interval = callbacks.whileWaiting
        ? static_cast<DWORD>(std::max<std::chrono::milliseconds::rep>(1, callbacks.waitInterval.count()))
        : INFINITE;
    {
        PipeReader output(std::move(outputRead), Stream::Output);
        PipeReader error(std::move(errorRead), Stream::Error);
        DrainPipes(output, error, callbacks, interval);
    }

    // Usually the child has ended with its pipes; one that handed them away may
    // still run, and the window keeps painting meanwhile.
    for (;;) {
        const DWORD waited = ::WaitForSingleObject(process.get(), interval);
        if (waited == WAIT_OBJECT_0)
            break;
        if (waited != WAIT_TIMEOUT)
            ThrowLastError();
        callbacks.whileWaiting();
    }
    DWORD exitCode = 0;
    if (!::GetExitCodeProcess(process.get(), &exitCode))
        ThrowLastError();
    return static_cast<int>(exitCode);
}

} // namespace quoddle::platform
