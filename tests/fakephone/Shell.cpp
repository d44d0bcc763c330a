#include "Shell.hpp"

#include "InstallSession.hpp"
#include "Release.hpp"

#include <fnmatch.h>

#include <algorithm>

namespace fakephone {

namespace {

struct Token {
    enum Kind { Word, And, Or, Sequence } kind = Word;
    std::string text;
    bool glob = false;     // holds an unquoted '*'
    bool redirect = false; // an unquoted '<' or '>' redirection
};

Token Operator(Token::Kind kind)
{
    Token t;
    t.kind = kind;
    return t;
}

std::vector<Token> Tokenize(const std::string& line)
{
    std::vector<Token> tokens;
    Token word;
    bool inWord = false;
    auto endWord = [&] {
        if (inWord)
            tokens.push_back(std::move(word));
        word = Token{};
        inWord = false;
    };
    for (std::size_t i = 0; i < line.size(); ++i) {
        const char c = line[i];
        if (c == ' ' || c == '\t' || c == '\n') {
            endWord();
        } else if (c == '&' && i + 1 < line.size() && line[i + 1] == '&') {
            endWord();
            tokens.push_back(Operator(Token::And));
            ++i;
        } else if (c == '|' && i + 1 < line.size() && line[i + 1] == '|') {
            endWord();
            tokens.push_back(Operator(Token::Or));
            ++i;
        } else if (c == ';') {
            endWord();
            tokens.push_back(Operator(Token::Sequence));
        } else if (c == '\'') {
            inWord = true;
            const std::size_t end = line.find('\'', i + 1);
            word.text += line.substr(i + 1, end == std::string::npos ? std::string::npos : end - i - 1);
            i = end == std::string::npos ? line.size() : end;
        } else if (c == '"') {
            inWord = true;
            for (++i; i < line.size() && line[i] != '"'; ++i) {
                if (line[i] == '\\' && i + 1 < line.size() && std::string_view("\"\\$`").find(line[i + 1]) != std::string_view::npos)
                    ++i;
                word.text += line[i];
            }
        } else if (c == '\\' && i + 1 < line.size()) {
            inWord = true;
            word.text += line[++i];
        } else {
            if ((c == '<' || c == '>') && (!inWord || word.text == "2" || word.text == "1"))
                word.redirect = true;
            word.glob = word.glob || c == '*';
            inWord = true;
            word.text += c;
        }
    }
    endWord();
    return tokens;
}

// The words of one command, redirections dropped and globs expanded against
// the phone's files (a pattern that matches nothing stays as written, as in sh).
std::vector<std::string> Words(const std::vector<Token>& tokens, const PhoneState& phone)
{
    std::vector<std::string> words;
    bool skipNext = false;
    for (const Token& t : tokens) {
        if (skipNext) {
            skipNext = false;
            continue;
        }
        if (t.redirect) {
            const char last = t.text.back();
            skipNext = last == '<' || last == '>'; // "< file": the file is the next word
            continue;
        }
        if (!t.glob) {
            words.push_back(t.text);
            continue;
        }
        std::vector<std::string> matches;
        for (const auto& [path, bytes] : phone.files)
            if (::fnmatch(t.text.c_str(), path.c_str(), FNM_PATHNAME) == 0)
                matches.push_back(path);
        if (matches.empty())
            words.push_back(t.text);
        else
            words.insert(words.end(), matches.begin(), matches.end());
    }
    return words;
}

std::string Arg(const std::vector<std::string>& args, std::size_t i)
{
    return i < args.size() ? args[i] : std::string();
}

bool IsNumber(const std::string& text)
{
    return !text.empty() && std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

ShellResult Getprop(const std::vector<std::string>& args, const PhoneState& phone)
{
    ShellResult r;
    if (args.size() == 1) {
        for (const auto& [name, value] : phone.properties())
            r.out += "[" + name + "]: [" + value + "]\n";
        return r;
    }
    std::string value = phone.property(args[1]);
    if (value.empty() && args.size() > 2)
        value = args[2];
    r.out = value + "\n";
    return r;
}

// pm and cmd package: one dispatch point for every verb. `cmdPackage` when
// the answer is PackageManagerShellCommand's (cmd package, and pm from 9),
// otherwise Pm.java's; the verbs that differ by release are in Release.cpp.
ShellResult Pm(const std::vector<std::string>& args, std::size_t first, PhoneState& phone, bool cmdPackage)
{
    if (std::optional<ShellResult> answer = PackageStateVerb(args, first, phone, cmdPackage))
        return *answer;
    ShellResult r;
    const std::string verb = Arg(args, first);
    if (verb == "list" && (Arg(args, first + 1) == "packages" || Arg(args, first + 1) == "package")) {
        bool withPath = false, thirdPartyOnly = false, systemOnly = false;
        std::string filter;
        for (std::size_t i = first + 2; i < args.size(); ++i) {
            if (args[i] == "-f")
                withPath = true;
            else if (args[i] == "-3")
                thirdPartyOnly = true;
            else if (args[i] == "-s")
                systemOnly = true;
            else if (args[i][0] != '-')
                filter = args[i];
        }
        for (const Package& p : phone.packages) {
            const bool system = OnSystemPartition(p.path);
            if ((thirdPartyOnly && system) || (systemOnly && !system))
                continue;
            if (!filter.empty() && p.name.find(filter) == std::string::npos)
                continue;
            r.out += "package:" + (withPath ? p.path + "=" : std::string()) + p.name + "\n";
        }
        return r;
    }
    if (verb == "install") {
        std::vector<std::string> rest;
        const InstallOptions options = ParseInstallOptions(args, first + 1, rest);
        if (rest.empty()) {
            r.err = "Error: no package specified\n";
            r.status = 1;
            return r;
        }
        const std::string& path = rest.back();
        r.out = "\tpkg: " + path + "\n";
        const auto file = phone.files.find(path);
        const std::string verdict = file == phone.files.end() ? "Failure [INSTALL_FAILED_INVALID_URI]"
                                                              : InstallPackage(phone, file->second, options);
        r.out += verdict + "\n";
        r.status = verdict == "Success" ? 0 : 1;
        return r;
    }
    if (verb == "uninstall") {
        std::string name = Arg(args, first + 1);
        if (name == "-k")
            name = Arg(args, first + 2);
        const Package* p = phone.FindPackage(name);
        if (!p || OnSystemPartition(p->path)) {
            r.out = "Failure [DELETE_FAILED_INTERNAL_ERROR]\n";
            r.status = 1;
            return r;
        }
        phone.packages.erase(phone.packages.begin() + (p - phone.packages.data()));
        r.out = "Success\n";
        return r;
    }
    if (auto answer = PmInstallLocation(args, first, phone, cmdPackage))
        return *answer;
    return PmUnknownCommand(verb, phone, cmdPackage);
}

ShellResult Rm(const std::vector<std::string>& args, PhoneState& phone)
{
    ShellResult r;
    bool force = false;
    std::size_t i = 1;
    for (; i < args.size() && args[i].size() > 1 && args[i][0] == '-'; ++i)
        force = force || args[i].find('f') != std::string::npos;
    for (; i < args.size(); ++i) {
        if (phone.files.erase(args[i]) == 0 && !force) {
            r.err += "rm: " + args[i] + ": No such file or directory\n";
            r.status = 1;
        }
    }
    return r;
}

bool BeginsWithWordsOf(const std::vector<std::string>& args, const std::string& key)
{
    const std::vector<std::string> keyWords = SplitWords(key);
    return !keyWords.empty() && keyWords.size() <= args.size()
        && std::equal(keyWords.begin(), keyWords.end(), args.begin());
}

// The configured answer for a command whose words begin with its key's words.
const std::string* AnswerFor(const std::vector<std::string>& args, const PhoneState& phone)
{
    for (const auto& [key, bytes] : phone.config().answers) {
        if (BeginsWithWordsOf(args, key))
            return &bytes;
    }
    return nullptr;
}

ShellResult RunCommand(const std::vector<std::string>& args, PhoneState& phone)
{
    ShellResult r;
    if (args.empty())
        return r;
    if (const std::string* answer = AnswerFor(args, phone)) {
        r.out = *answer;
        return r;
    }
    const std::string& tool = args[0];
    if (tool == "getprop")
        return Getprop(args, phone);
    const ReleaseTools& release = ToolsFor(phone.sdk());
    if (tool == "pm")
        return Pm(args, 1, phone, release.pmIsCmdPackage);
    if (tool == "cmd" && release.hasCmd && Arg(args, 1) == "package")
        return Pm(args, 2, phone, true);
    if (tool == "bmgr")
        return Bmgr(args, phone);
    if (tool == "rm")
        return Rm(args, phone);
    if (tool == "service" && Arg(args, 1) == "call")
        return ServiceCall(args, phone);
    if (tool == "am")
        return Am(args, phone);
    if (tool == "input" && Arg(args, 1) == "keyevent" && args.size() > 2) {
        // cmds/input Input.java: a key code number (names too from 4.0),
        // injected without a word, on every release.
        for (std::size_t i = 2; i < args.size(); ++i)
            if (IsNumber(args[i]) && args[i].size() < 4)
                phone.keyEvents.push_back(std::stoi(args[i]));
        return r;
    }
    if (tool == "input" || tool == "service") {
        r.err = "usage: " + tool + " ...\n";
        r.status = 1;
        return r;
    }
    r.err = "/system/bin/sh: " + tool + ": not found\n";
    r.status = 127;
    return r;
}

} // namespace

std::vector<std::string> SplitWords(const std::string& command)
{
    std::vector<std::string> words;
    for (const Token& t : Tokenize(command))
        if (t.kind == Token::Word && !t.redirect)
            words.push_back(t.text);
    return words;
}

int AnswerDelay(const std::string& commandLine, const PhoneConfig& config)
{
    const std::vector<std::string> words = SplitWords(commandLine);
    for (const auto& [key, milliseconds] : config.answerDelays) {
        if (BeginsWithWordsOf(words, key))
            return milliseconds;
    }
    return 0;
}

ShellResult RunShell(const std::string& commandLine, PhoneState& phone)
{
    ShellResult total;
    const std::vector<Token> tokens = Tokenize(commandLine);
    Token::Kind joiner = Token::Sequence;
    std::size_t start = 0;
    for (std::size_t i = 0; i <= tokens.size(); ++i) {
        if (i < tokens.size() && tokens[i].kind == Token::Word)
            continue;
        const bool run = joiner == Token::Sequence || (joiner == Token::And && total.status == 0)
            || (joiner == Token::Or && total.status != 0);
        if (run) {
            const std::vector<Token> command(tokens.begin() + static_cast<std::ptrdiff_t>(start),
                                             tokens.begin() + static_cast<std::ptrdiff_t>(i));
            const ShellResult r = RunCommand(Words(command, phone), phone);
            total.out += r.out;
            total.err += r.err;
            total.status = r.status;
        }
        if (i < tokens.size())
            joiner = tokens[i].kind;
        start = i + 1;
    }
    return total;
}

InstallOptions ParseInstallOptions(const std::vector<std::string>& args, std::size_t from,
                                   std::vector<std::string>& rest)
{
    InstallOptions options;
    for (std::size_t i = from; i < args.size(); ++i) {
        if (args[i] == "-r")
            options.replace = true;
        else if (args[i] == "-s")
            options.external = true;
        else if (args[i] == "-f")
            options.internal = true;
        else if (args[i] == "-S" && i + 1 < args.size()) {
            rest.push_back(args[i]);
            rest.push_back(args[++i]);
        } else if (args[i].empty() || args[i][0] != '-')
            rest.push_back(args[i]);
    }
    return options;
}

std::string InstallPackage(PhoneState& phone, const std::string& fileBytes, const InstallOptions& options)
{
    const auto file = ReadPackageFile(fileBytes);
    if (!file)
        return "Failure [INSTALL_PARSE_FAILED_NOT_APK]";
    // A lone split goes through a session from Android 5 on, whose commit wants its
    // base; older parsers know no splits and take it as a whole package.
    if (!file->split.empty() && phone.sdk() >= 21)
        return "Failure [INSTALL_FAILED_INVALID_APK: Full install must include a base package]";
    // From 5.0 the verdict carries the session's status message
    // (PackageInstaller.EXTRA_STATUS_MESSAGE), before it the code alone.
    return InstallNamed(phone, file->package, options, phone.sdk() >= 21);
}

} // namespace fakephone
