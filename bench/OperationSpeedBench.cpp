// The program's own time on top of adb's, per operation: the information
// report (two adb runs), the application list (one run, then the grid and
// lists filled) and a reboot (one run). Each is the handler's time through
// the window (the click, to the caption set and the lists filled) against
// the time of the same adb commands run bare from a shell script
// (bench/bare_operations.sh) on the same phone and the same adb server.
// Goal: a ratio of at most 1.10.
//
// The two are interleaved in blocks of ten runs, so that the load of a
// shared machine weighs on both alike; the ratio is taken of the medians
// (and of the means, shown beside). "own_cpu_ms" is this process's CPU time
// per handler run, adb's own excluded: the program's share of the work.
//
// The phone is fakephone with 300 applications, on a private adb server.
// Needs the real adb and fakephone; Qt runs offscreen unless told otherwise.

#include "QtBenchMain.hpp"
#include "e2e/AdbSession.hpp"
#include "operations/FrmMain.hpp"
#include "support/RecordingServices.hpp"
#include "widgets/GlyphButton.hpp"
#include "widgets/StringGrid.hpp"

#include <QApplication>
#include <QPushButton>

#include <benchmark/benchmark.h>

#include <sys/resource.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <memory>
#include <numeric>
#include <sstream>
#include <vector>

namespace {

using quoddle::TFrmMain;
using quoddle::test::AdbSession;
using quoddle::test::AdbSessionOptions;

constexpr int kBlock = 10;

std::string PhoneWithApplications(int count)
{
    std::string packages;
    for (int i = 0; i < count; ++i) {
        const std::string name = "com.example.application" + std::to_string(i);
        const std::string where = i % 5 == 0 ? "/system/app/App" + std::to_string(i) + ".apk"
                                             : "/data/app/" + name + "-1.apk";
        packages += (i ? ", " : "") + std::string(R"({"name": ")") + name + R"(", "path": ")" + where + "\"}";
    }
    return R"({"packages": [)" + packages + "]}";
}

// The session and the window, for every benchmark of the program.
struct Bench {
    Bench()
    {
        AdbSessionOptions options;
        options.phoneConfig = PhoneWithApplications(300);
        session = std::make_unique<AdbSession>(options);
        services.appDir = session->AppDir();
        window = std::make_unique<TFrmMain>();
    }
    std::unique_ptr<AdbSession> session;
    quoddle::test::RecordingServices services;
    std::unique_ptr<TFrmMain> window;
};
Bench* bench = nullptr;

double CpuMs()
{
    rusage usage{};
    ::getrusage(RUSAGE_SELF, &usage);
    return (usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1e3
        + (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e3;
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n == 0 ? 0 : n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

double Mean(const std::vector<double>& values)
{
    return values.empty() ? 0 : std::accumulate(values.begin(), values.end(), 0.0) / static_cast<double>(values.size());
}

// kBlock runs of the operation's adb commands, bare; their times in ms.
bool BareRuns(const char* operation, std::vector<double>& times, std::string& why)
{
    const auto result = quoddle::test::RunProcess(
        {QUODDLE_BARE_SCRIPT, QUODDLE_REAL_ADB, bench->session->Serial(), operation, std::to_string(kBlock)});
    std::istringstream lines(result.out);
    int got = 0;
    for (double micros; lines >> micros; ++got)
        times.push_back(micros / 1000);
    if (result.status != 0 || got != kBlock) {
        why = "the bare script failed: " + result.err;
        return false;
    }
    return true;
}

struct Operation {
    const char* name; // as bare_operations.sh names it
    QPushButton* (*button)(TFrmMain&);
};
const Operation kOperations[] = {
    {"report", [](TFrmMain& w) -> QPushButton* { return w.bt_infotel; }},
    {"list", [](TFrmMain& w) -> QPushButton* { return w.sBitBtn1; }},
    {"reboot", [](TFrmMain& w) -> QPushButton* { return w.bt_reboot; }},
};

void BM_Operation(benchmark::State& state, const Operation& operation)
{
    QPushButton* click = operation.button(*bench->window);
    std::vector<double> handler, bare, ownCpu;
    for (auto _ : state) {
        double blockSeconds = 0;
        for (int i = 0; i < kBlock; ++i) {
            const double cpuBefore = CpuMs();
            const auto started = std::chrono::steady_clock::now();
            click->click();
            const std::chrono::duration<double, std::milli> spent = std::chrono::steady_clock::now() - started;
            ownCpu.push_back(CpuMs() - cpuBefore);
            handler.push_back(spent.count());
            blockSeconds += spent.count() / 1000;
        }
        state.SetIterationTime(blockSeconds);
        std::string why;
        if (!BareRuns(operation.name, bare, why)) {
            state.SkipWithError(why.c_str());
            return;
        }
        bench->services.clear();
    }
    state.counters["handler_ms"] = Median(handler);
    state.counters["bare_ms"] = Median(bare);
    state.counters["ratio"] = Median(handler) / Median(bare);
    state.counters["ratio_of_means"] = Mean(handler) / Mean(bare);
    state.counters["own_cpu_ms"] = Mean(ownCpu);
}

} // namespace

int main(int argc, char** argv)
{
    return quoddle::bench::RunWithApplication(argc, argv, [] {
        Bench session;
        bench = &session;
        for (const Operation& operation : kOperations) {
            benchmark::RegisterBenchmark((std::string("BM_Operation/") + operation.name).c_str(), BM_Operation,
                                         operation)
                ->Iterations(20)
                ->UseManualTime()
                ->Unit(benchmark::kMillisecond);
        }
        benchmark::RunSpecifiedBenchmarks();
    });
}
