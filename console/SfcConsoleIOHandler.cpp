#include "SfcConsoleIOHandler.hpp"

#include "LineRules.hpp"
#include "platform/Platform.hpp"

#include <algorithm>
#include <cstring>

namespace quoddle {

namespace {

bool IsFileNameBoundary(char c)
{
    return c == '\\' || c == ':' || c == platform::PathSeparator();
}

bool IsBlankOrControl(char c) { return static_cast<unsigned char>(c) <= ' '; }

// One stream's text on its way to lines. Where the platform's output is UTF-8
// already it is split as it arrives; elsewhere it is decoded once, whole.
class StreamCapture {
public:
    void add(std::string_view read)
    {
        // A NUL cuts the rest of this read only.
        if (const void* nul = std::memchr(read.data(), '\0', read.size()))
            read = read.substr(0, static_cast<std::size_t>(static_cast<const char*>(nul) - read.data()));
        if (streaming_)
            splitter_.feed(read);
        else
            raw_.append(read);
    }
    std::vector<std::string> finish()
    {
        if (!streaming_)
            splitter_.feed(platform::DecodeChildOutput(std::move(raw_)));
        return splitter_.finish();
    }
    bool sawCrCrLf() const { return splitter_.sawCrCrLf(); }

private:
    bool streaming_ = platform::ChildOutputIsUtf8();
    std::string raw_;
    LineSplitter splitter_;
};

} // namespace

void MakeCommandInfo(const std::string& programPath, const std::string& params, const std::string& dir,
                     const std::string& workDir, TCommandInfo& info)
{
    info = TCommandInfo{};
    std::size_t nameStart = programPath.size();
    while (nameStart > 0 && !IsFileNameBoundary(programPath[nameStart - 1]))
        --nameStart;
    info.ExeName = programPath.substr(nameStart);

    const auto first = std::find_if_not(dir.begin(), dir.end(), IsBlankOrControl);
    if (first != dir.end()) {
        info.ExeDir = dir;
        if (info.ExeDir.back() != platform::PathSeparator())
            info.ExeDir += platform::PathSeparator();
    }
    info.Params = params;
    info.WorkDir = workDir;
}

bool IsWinNT() { return platform::IsWinNT(); }

std::uint8_t TSfcConsoleIOHandler::Execute(const TCommandInfo& info)
{
    platform::ChildCommand command;
    command.workDir = info.WorkDir;
    if (info.ExeName.empty()) {
        command.arguments = info.Params;
    } else {
        const std::string path = info.ExeDir + info.ExeName;
        switch (ExecutableKind(path)) {
        case 0:
            return kNotExecutable;
        case 3:
            if (!IsWinNT())
                throw Error("Erreur Commande DOS diponible seulement sous XP/NT");
            command.arguments = "cmd /c\"\"" + path + "\" " + info.Params + "\"";
            break;
        default:
            // A GUI program is run like a console program; it simply prints nothing.
            command.program = path;
            command.arguments = info.Params;
            break;
        }
    }

    StreamCapture output, error;
    platform::ChildCallbacks callbacks;
    bool started = false;
    callbacks.onRead = [&](platform::Stream stream, std::string_view read) {
        if (!started) {
            // The child runs, so this run replaces Lines whatever happens now:
            // the previous lines need not be held beside the new ones.
            std::vector<std::string>().swap(Lines);
            std::vector<std::string>().swap(errorLines_);
            started = true;
        }
        (stream == platform::Stream::Output ? output : error).add(read);
    };
    callbacks.whileWaiting = whileWaiting_;
    const int status = platform::RunChild(command, callbacks);

    std::vector<std::string> outputLines = output.finish();
    errorLines_ = error.finish();
    exitStatus_ = status;
    if (!outputLines.empty()) {
        Lines = std::move(outputLines);
        crcrlf_ = output.sawCrCrLf();
        return kOutputGaveLines;
    }
    Lines = errorLines_;
    crcrlf_ = error.sawCrCrLf();
    return Lines.empty() ? kNoLines : kOnlyErrorGaveLines;
}

} // namespace quoddle
