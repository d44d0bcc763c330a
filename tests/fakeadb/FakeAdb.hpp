#pragma once
// Drives the scripted adb from a test: rules written in code, the stand-in
// placed in a folder as `adb`, and the journal read back.
//
//   quoddle::test::FakeAdb adb(tempFolder);        // script + journal live there
//   adb.Script({FakeAdbRule::Argv({"devices"}).Out("List of devices attached\n\n"),
//               FakeAdbRule::Args("-s 0123 reboot"),
//               FakeAdbRule::Default().Err("error: closed\n").Status(1)});
//   adb.PlaceAs(programFolder);                     // programFolder/adb
//   ... run the code under test ...
//   EXPECT_EQ(adb.Journal(), (FakeAdb::Calls{{"devices"}, {"-s", "0123", "reboot"}}));
//
// The environment variables that lead the stand-in to these files are set in
// this process while the FakeAdb lives, so every child started meanwhile (and
// its children) finds them. One FakeAdb at a time per process.
// Link the CMake target quoddle_fakeadb_helper, which knows where the built
// stand-in lies and includes "fakeadb/FakeAdb.hpp".

#include "support/MiniJson.hpp"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#ifndef QUODDLE_FAKEADB_PROGRAM
#error "Link the target quoddle_fakeadb_helper: it defines QUODDLE_FAKEADB_PROGRAM"
#endif

namespace quoddle::test {

// One rule of the script: how a call is matched and what it answers.
struct FakeAdbRule {
    // The exact arguments (after the program name).
    static FakeAdbRule Argv(std::vector<std::string> argv)
    {
        FakeAdbRule r;
        r.matchJson = "\"argv\":" + minijson::QuoteList(argv);
        return r;
    }
    // The arguments joined by single blanks.
    static FakeAdbRule Args(const std::string& args)
    {
        FakeAdbRule r;
        r.matchJson = "\"args\":" + minijson::Quote(args);
        return r;
    }
    // Any arguments; tried after every Argv and Args rule.
    static FakeAdbRule Default()
    {
        FakeAdbRule r;
        r.matchJson = "\"default\":true";
        return r;
    }

    FakeAdbRule Out(std::string bytes) const { return With(&FakeAdbRule::out, std::move(bytes)); }
    FakeAdbRule Err(std::string bytes) const { return With(&FakeAdbRule::err, std::move(bytes)); }
    FakeAdbRule Status(int value) const { return With(&FakeAdbRule::status, value); }
    FakeAdbRule DelayMs(int value) const { return With(&FakeAdbRule::delayMs, value); }
    // Answers only the first n calls that reach it.
    FakeAdbRule Times(int n) const { return With(&FakeAdbRule::times, n); }

    std::string ToJson() const
    {
        std::string json = "{" + matchJson + ",\"stdout\":" + minijson::Quote(out) + ",\"stderr\":"
            + minijson::Quote(err) + ",\"status\":" + std::to_string(status);
        if (delayMs > 0)
            json += ",\"delay_ms\":" + std::to_string(delayMs);
        if (times >= 0)
            json += ",\"times\":" + std::to_string(times);
        return json + "}";
    }

    std::string matchJson;
    std::string out, err;
    int status = 0;
    int delayMs = 0;
    int times = -1;

private:
    template <typename T, typename V>
    FakeAdbRule With(T FakeAdbRule::*field, V value) const
    {
        FakeAdbRule r = *this;
        r.*field = std::move(value);
        return r;
    }
};

class FakeAdb {
public:
    using Calls = std::vector<std::vector<std::string>>;

    // Keeps the script and the journal in `folder` (which must exist) and
    // points the environment at them; the journal starts empty.
    explicit FakeAdb(const std::filesystem::path& folder)
        : script_(folder / "fakeadb-script.json"), journal_(folder / "fakeadb-journal.jsonl")
    {
        Script({});
        ClearJournal();
        SetVariable("QUODDLE_FAKEADB_SCRIPT", script_.string());
        SetVariable("QUODDLE_FAKEADB_JOURNAL", journal_.string());
    }
    FakeAdb(const FakeAdb&) = delete;
    FakeAdb& operator=(const FakeAdb&) = delete;
    ~FakeAdb()
    {
        SetVariable("QUODDLE_FAKEADB_SCRIPT", "");
        SetVariable("QUODDLE_FAKEADB_JOURNAL", "");
    }

    // The built stand-in program.
    static std::filesystem::path Program() { return QUODDLE_FAKEADB_PROGRAM; }

    // The file name the program under test runs.
    static std::string AdbFileName()
    {
#ifdef _WIN32
        return "adb.exe";
#else
        return "adb";
#endif
    }

    // Puts the stand-in into `folder` as adb (a symbolic link; a copy on
    // Windows), replacing whatever adb lay there. Returns its path.
    static std::filesystem::path PlaceAs(const std::filesystem::path& folder)
    {
        namespace fs = std::filesystem;
        const fs::path target = folder / AdbFileName();
#ifdef _WIN32
        fs::copy_file(Program(), target, fs::copy_options::overwrite_existing);
#else
        // Made aside and renamed over, so a run never finds adb missing.
        const fs::path aside = folder / (AdbFileName() + ".placing");
        fs::remove(aside);
        fs::create_symlink(Program(), aside);
        fs::rename(aside, target);
#endif
        return target;
    }

    // Replaces the script; calls counted against "times" start afresh.
    void Script(const std::vector<FakeAdbRule>& rules) const
    {
        std::string json = "{\"rules\":[\n";
        for (std::size_t i = 0; i < rules.size(); ++i)
            json += rules[i].ToJson() + (i + 1 < rules.size() ? ",\n" : "\n");
        json += "]}\n";
        WriteFile(script_, json);
        std::filesystem::remove(script_.string() + ".used");
    }

    // Every call so far, oldest first, each as its arguments.
    Calls Journal() const
    {
        Calls calls;
        std::ifstream in(journal_, std::ios::binary);
        for (std::string line; std::getline(in, line);) {
            const minijson::Value list = minijson::Parse(line);
            std::vector<std::string>& call = calls.emplace_back();
            for (const minijson::Value& word : list.items)
                call.push_back(word.text);
        }
        return calls;
    }

    void ClearJournal() const { WriteFile(journal_, ""); }

    const std::filesystem::path& ScriptPath() const { return script_; }
    const std::filesystem::path& JournalPath() const { return journal_; }

private:
    static void WriteFile(const std::filesystem::path& path, const std::string& bytes)
    {
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        if (!out.flush())
            throw std::runtime_error("cannot write " + path.string());
    }

    static void SetVariable(const char* name, const std::string& value)
    {
#ifdef _WIN32
        _putenv_s(name, value.c_str());
#else
        if (value.empty())
            ::unsetenv(name);
        else
            ::setenv(name, value.c_str(), 1);
#endif
    }

    std::filesystem::path script_;
    std::filesystem::path journal_;
};

} // namespace quoddle::test
