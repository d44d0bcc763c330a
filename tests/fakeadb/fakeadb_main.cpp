// The scripted stand-in for the adb client. The tests put it in the program's
// folder as `adb`; it answers each call from a script and journals the call.
//
//   QUODDLE_FAKEADB_SCRIPT   the script (JSON, see below); required
//   QUODDLE_FAKEADB_JOURNAL  the journal: every call appends its arguments
//                            (argv after the program name) as one JSON array
//                            on a line of its own; optional
//
// Script:
//   {"rules": [
//     {"argv": ["shell", "pm list packages -f"], "stdout": "package:/data/app/x.apk=x\r\r\n"},
//     {"args": "-s 0123 reboot", "status": 0},
//     {"argv": ["get-state"], "times": 1, "stdout": "unknown\n"},
//     {"argv": ["get-state"], "stdout": "device\n"},
//     {"default": true, "stderr": "error: no devices/emulators found\n", "status": 1, "delay_ms": 50}
//   ]}
// A rule matches by exactly one of:
//   "argv": the exact argument array (so quoting shows: ["shell","a b"] is not ["shell","a","b"]);
//   "args": the arguments joined by single blanks (both of those give "shell a b");
//   "default": true, any arguments at all.
// Its answer: "stdout" and "stderr" (exact bytes: \r, \n, \u0000, UTF-8 or raw
// bytes), "status" (0..255, default 0), "delay_ms" (waited before printing).
// "times": N answers only the first N calls that reach the rule; later ones go
// on to the next matching rule. The calls used are counted in the file
// "<script>.used", which starts afresh whenever the script's text changes.
// Rules with argv or args are tried in file order, then default rules.
//
// Exit status 1 with a message on standard error: no rule answers the call.
// Exit status 2: the fixture is broken (variable unset, script unreadable or
// malformed, journal not writable).

#include "support/MiniJson.hpp"

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <optional>
#include <sstream>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>
#include <windows.h>
#include <shellapi.h>
#else
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>
#endif

namespace {

using quoddle::minijson::Value;

// A fault of the fixture itself, not of the program under test.
struct SetupError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

struct Rule {
    enum class Match { Argv, Args, Default } match = Match::Default;
    std::vector<std::string> argv;
    std::string args;
    std::string out, err;
    int status = 0;
    std::int64_t delayMs = 0;
    std::int64_t times = -1; // -1: any number of calls
};

std::string JoinedByBlanks(const std::vector<std::string>& words)
{
    std::string text;
    for (std::size_t i = 0; i < words.size(); ++i)
        text += (i ? " " : "") + words[i];
    return text;
}

std::optional<std::string> ReadWholeFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return std::nullopt;
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

std::vector<Rule> LoadRules(const Value& script)
{
    const Value* rules = script.kind == Value::Kind::Object ? script.find("rules") : nullptr;
    if (!rules || rules->kind != Value::Kind::Array)
        throw SetupError("the script must be an object with a \"rules\" array");
    std::vector<Rule> loaded;
    for (std::size_t i = 0; i < rules->items.size(); ++i) {
        const Value& item = rules->items[i];
        const std::string where = "rule " + std::to_string(i) + ": ";
        if (item.kind != Value::Kind::Object)
            throw SetupError(where + "not an object");
        Rule rule;
        int matchers = 0;
        for (std::size_t k = 0; k < item.keys.size(); ++k) {
            const std::string& key = item.keys[k];
            const Value& v = item.items[k];
            auto text = [&] {
                if (v.kind != Value::Kind::String)
                    throw SetupError(where + "\"" + key + "\" must be a string");
                return v.text;
            };
            auto whole = [&](std::int64_t low, std::int64_t high) {
                if (v.kind != Value::Kind::Number || v.number < low || v.number > high)
                    throw SetupError(where + "\"" + key + "\" must be a whole number from " + std::to_string(low)
                                     + " to " + std::to_string(high));
                return v.number;
            };
            if (key == "argv") {
                if (v.kind != Value::Kind::Array)
                    throw SetupError(where + "\"argv\" must be an array of strings");
                for (const Value& word : v.items) {
                    if (word.kind != Value::Kind::String)
                        throw SetupError(where + "\"argv\" must be an array of strings");
                    rule.argv.push_back(word.text);
                }
                rule.match = Rule::Match::Argv;
                ++matchers;
            } else if (key == "args") {
                rule.args = text();
                rule.match = Rule::Match::Args;
                ++matchers;
            } else if (key == "default") {
                if (v.kind != Value::Kind::Bool || !v.boolean)
                    throw SetupError(where + "\"default\" can only be true");
                rule.match = Rule::Match::Default;
                ++matchers;
            } else if (key == "stdout") {
                rule.out = text();
            } else if (key == "stderr") {
                rule.err = text();
            } else if (key == "status") {
                rule.status = static_cast<int>(whole(0, 255));
            } else if (key == "delay_ms") {
                rule.delayMs = whole(0, 600000);
            } else if (key == "times") {
                rule.times = whole(0, INT32_MAX);
            } else {
                // A misspelt key would otherwise be ignored silently.
                throw SetupError(where + "unknown key \"" + key + "\"");
            }
        }
        if (matchers != 1)
            throw SetupError(where + "needs exactly one of \"argv\", \"args\" and \"default\"");
        loaded.push_back(std::move(rule));
    }
    return loaded;
}

bool Matches(const Rule& rule, const std::vector<std::string>& args)
{
    switch (rule.match) {
    case Rule::Match::Argv: return rule.argv == args;
    case Rule::Match::Args: return rule.args == JoinedByBlanks(args);
    case Rule::Match::Default: return true;
    }
    return false;
}

// The counts of used calls live beside the script, locked while one call
// reads and updates them (detached starts may overlap a run).
class UsedCounts {
public:
    explicit UsedCounts(const std::string& path)
    {
#ifdef _WIN32
        handle_ = ::CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        OVERLAPPED whole{};
        if (handle_ == INVALID_HANDLE_VALUE || !::LockFileEx(handle_, LOCKFILE_EXCLUSIVE_LOCK, 0, 1, 0, &whole))
            throw SetupError("cannot open and lock " + path);
#else
        fd_ = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
        if (fd_ < 0 || ::flock(fd_, LOCK_EX) != 0)
            throw SetupError("cannot open and lock " + path);
#endif
    }
    UsedCounts(const UsedCounts&) = delete;
    UsedCounts& operator=(const UsedCounts&) = delete;
    ~UsedCounts()
    {
#ifdef _WIN32
        ::CloseHandle(handle_); // also releases the lock
#else
        ::close(fd_);
#endif
    }

    std::string read()
    {
        std::string text;
        char buffer[4096];
        for (;;) {
#ifdef _WIN32
            DWORD got = 0;
            if (!::ReadFile(handle_, buffer, sizeof buffer, &got, nullptr) || got == 0)
                break;
#else
            const ssize_t got = ::read(fd_, buffer, sizeof buffer);
            if (got <= 0)
                break;
#endif
            text.append(buffer, static_cast<std::size_t>(got));
        }
        return text;
    }

    // Replaces the whole file.
    void write(const std::string& text)
    {
#ifdef _WIN32
        DWORD written = 0;
        ::SetFilePointer(handle_, 0, nullptr, FILE_BEGIN);
        ::SetEndOfFile(handle_);
        if (!::WriteFile(handle_, text.data(), static_cast<DWORD>(text.size()), &written, nullptr)
            || written != text.size())
            throw SetupError("cannot write the used-calls file");
#else
        if (::ftruncate(fd_, 0) != 0 || ::pwrite(fd_, text.data(), text.size(), 0) != static_cast<ssize_t>(text.size()))
            throw SetupError("cannot write the used-calls file");
#endif
    }

private:
#ifdef _WIN32
    HANDLE handle_ = INVALID_HANDLE_VALUE;
#else
    int fd_ = -1;
#endif
};

std::string Fingerprint(const std::string& text)
{
    std::uint64_t hash = 14695981039346656037ull; // FNV-1a
    for (const unsigned char c : text)
        hash = (hash ^ c) * 1099511628211ull;
    return "script " + std::to_string(hash) + " " + std::to_string(text.size()) + "\n";
}

// The rule that answers this call, counting its use when it is limited.
// Null when none does; usedUp tells whether some matching rule had run out.
const Rule* Choose(const std::vector<Rule>& rules, const std::vector<std::string>& args, const std::string& scriptPath,
                   const std::string& scriptText, bool& usedUp)
{
    std::vector<const Rule*> order;
    for (const Rule& rule : rules)
        if (rule.match != Rule::Match::Default)
            order.push_back(&rule);
    for (const Rule& rule : rules)
        if (rule.match == Rule::Match::Default)
            order.push_back(&rule);

    bool limited = false;
    for (const Rule& rule : rules)
        limited = limited || rule.times >= 0;
    if (!limited) {
        for (const Rule* rule : order)
            if (Matches(*rule, args))
                return rule;
        return nullptr;
    }

    UsedCounts file(scriptPath + ".used");
    std::string state = file.read();
    const std::string fingerprint = Fingerprint(scriptText);
    if (state.compare(0, fingerprint.size(), fingerprint) != 0)
        state = fingerprint;
    std::vector<std::int64_t> used(rules.size(), 0);
    std::istringstream lines(state.substr(fingerprint.size()));
    for (std::size_t index; lines >> index;)
        if (index < used.size())
            ++used[index];

    for (const Rule* rule : order) {
        if (!Matches(*rule, args))
            continue;
        const auto index = static_cast<std::size_t>(rule - rules.data());
        if (rule->times >= 0 && used[index] >= rule->times) {
            usedUp = true;
            continue;
        }
        if (rule->times >= 0)
            file.write(state + std::to_string(index) + "\n");
        return rule;
    }
    return nullptr;
}

void AppendToJournal(const std::string& path, const std::vector<std::string>& args)
{
    // One write of the whole line to a file opened for appending, so calls
    // that follow each other never interleave.
    const std::string line = quoddle::minijson::QuoteList(args) + "\n";
#ifdef _WIN32
    // Append-only access: the system puts each write at the end in one step,
    // which the C runtime's _O_APPEND (a seek, then a write) does not.
    const HANDLE file = ::CreateFileA(path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                      OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    DWORD wrote = 0;
    const bool written = file != INVALID_HANDLE_VALUE
        && ::WriteFile(file, line.data(), static_cast<DWORD>(line.size()), &wrote, nullptr) && wrote == line.size();
    if (file != INVALID_HANDLE_VALUE)
        ::CloseHandle(file);
#else
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644);
    const bool written = fd >= 0 && ::write(fd, line.data(), line.size()) == static_cast<ssize_t>(line.size());
    if (fd >= 0)
        ::close(fd);
#endif
    if (!written)
        throw SetupError("cannot append to the journal " + path);
}

void WriteAll(std::FILE* stream, const std::string& bytes)
{
    std::fwrite(bytes.data(), 1, bytes.size(), stream);
    std::fflush(stream);
}

int Answer(const std::vector<std::string>& args)
{
    if (const char* journal = std::getenv("QUODDLE_FAKEADB_JOURNAL"); journal && *journal)
        AppendToJournal(journal, args);

    const char* scriptVariable = std::getenv("QUODDLE_FAKEADB_SCRIPT");
    if (!scriptVariable || !*scriptVariable)
        throw SetupError("QUODDLE_FAKEADB_SCRIPT is not set");
    const std::string scriptPath = scriptVariable;
    const std::optional<std::string> scriptText = ReadWholeFile(scriptPath);
    if (!scriptText)
        throw SetupError("cannot read the script " + scriptPath);
    std::vector<Rule> rules;
    try {
        rules = LoadRules(quoddle::minijson::Parse(*scriptText));
    } catch (const std::exception& e) {
        throw SetupError(scriptPath + ": " + e.what());
    }

    bool usedUp = false;
    const Rule* rule = Choose(rules, args, scriptPath, *scriptText, usedUp);
    if (!rule) {
        const std::string message = "fakeadb: no rule for " + quoddle::minijson::QuoteList(args) + " (args \""
            + JoinedByBlanks(args) + "\")" + (usedUp ? ", every matching rule is used up" : "") + ", in "
            + scriptPath + "\n";
        WriteAll(stderr, message);
        return 1;
    }
    if (rule->delayMs > 0)
        std::this_thread::sleep_for(std::chrono::milliseconds(rule->delayMs));
    WriteAll(stdout, rule->out);
    WriteAll(stderr, rule->err);
    return rule->status;
}

// The arguments after the program name, in UTF-8. On Windows main's argv is
// in the ANSI code page, so they are taken from the wide command line instead.
std::vector<std::string> Arguments([[maybe_unused]] int argc, [[maybe_unused]] char** argv)
{
#ifdef _WIN32
    int count = 0;
    LPWSTR* wide = ::CommandLineToArgvW(::GetCommandLineW(), &count);
    std::vector<std::string> args;
    for (int i = 1; wide && i < count; ++i) {
        const int size = ::WideCharToMultiByte(CP_UTF8, 0, wide[i], -1, nullptr, 0, nullptr, nullptr);
        std::string word(static_cast<std::size_t>(size > 0 ? size - 1 : 0), '\0');
        if (size > 1)
            ::WideCharToMultiByte(CP_UTF8, 0, wide[i], -1, word.data(), size, nullptr, nullptr);
        args.push_back(std::move(word));
    }
    ::LocalFree(wide);
    return args;
#else
    return std::vector<std::string>(argv + 1, argv + argc);
#endif
}

} // namespace

int main(int argc, char** argv)
{
#ifdef _WIN32
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
#endif
    const std::vector<std::string> args = Arguments(argc, argv);
    try {
        return Answer(args);
    } catch (const std::exception& e) {
        WriteAll(stderr, std::string("fakeadb: ") + e.what() + "\n");
        return 2;
    }
}
