// The long soak: 2,000 operations, every kind of the main window in turn
// (search, report, install, refresh, removal, three reboots, dial, trash,
// settings read and applied), through its real handlers against fakephone
// via the real adb, all in one window and one adb server. Goal: no growth of
// open descriptors, child processes or memory beyond a small bound.
//
// Prints the process's resources before (after two warm-up rounds), every
// tenth of the way, and after; the counters give the growth. Each operation
// is checked as the short soak test checks it (tests/e2e_faults/SoakTest.cpp);
// the first one that goes wrong stops the run. Another count:
//   QUODDLE_SOAK_OPERATIONS=20000 build/bench/quoddle_bench_soak
//
// Needs the real adb and fakephone; Qt runs offscreen unless told otherwise.

#include "QtBenchMain.hpp"
#include "e2e_faults/Soak.hpp"

#include <QApplication>

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <sstream>

namespace {

using quoddle::test::Resources;
using quoddle::test::Soak;

void PrintRow(const char* label, long operations, const Resources& r, double msPerOperation)
{
    std::printf("%-8s %7ld %5ld %9ld %4ld %8ld %8ld %8.2f\n", label, operations, r.fds, r.children, r.threads, r.rssKb,
                r.heapKb, msPerOperation);
    std::fflush(stdout);
}

void BM_Soak(benchmark::State& state)
{
    const long operations = state.range(0);
    for (auto _ : state) {
        Soak soak;
        int n = 0;
        for (; n < 2 * Soak::kKinds; ++n) {
            if (const std::string wrong = soak.Run(n); !wrong.empty()) {
                state.SkipWithError(("warm-up: " + wrong).c_str());
                return;
            }
        }
        std::printf("%-8s %7s %5s %9s %4s %8s %8s %8s\n", "", "ops", "fds", "children", "thr", "RSS kB", "heap kB",
                    "ms/op");
        const Resources before = Resources::Now();
        PrintRow("before", 0, before, 0);
        Resources peak = before;
        auto started = std::chrono::steady_clock::now();
        auto lap = started;
        for (long done = 1; done <= operations; ++done, ++n) {
            if (const std::string wrong = soak.Run(n); !wrong.empty()) {
                std::ostringstream why;
                why << "operation " << done << " (" << Soak::KindName(n % Soak::kKinds) << "): " << wrong;
                state.SkipWithError(why.str().c_str());
                return;
            }
            if (done % std::max(1L, operations / 10) == 0) {
                const Resources now = Resources::Now();
                peak.fds = std::max(peak.fds, now.fds);
                peak.children = std::max(peak.children, now.children);
                peak.threads = std::max(peak.threads, now.threads);
                peak.rssKb = std::max(peak.rssKb, now.rssKb);
                peak.heapKb = std::max(peak.heapKb, now.heapKb);
                const auto at = std::chrono::steady_clock::now();
                const std::chrono::duration<double, std::milli> spent = at - lap;
                PrintRow("during", done, now, spent.count() / std::max(1L, operations / 10));
                lap = at;
            }
        }
        const std::chrono::duration<double, std::milli> total = std::chrono::steady_clock::now() - started;
        const Resources after = Resources::Now();
        PrintRow("after", operations, after, total.count() / static_cast<double>(operations));
        state.counters["fds_growth"] = static_cast<double>(after.fds - before.fds);
        state.counters["children_growth"] = static_cast<double>(after.children - before.children);
        state.counters["adb_children"] = static_cast<double>(after.adbChildren);
        state.counters["threads_growth"] = static_cast<double>(after.threads - before.threads);
        state.counters["rss_growth_kB"] = static_cast<double>(after.rssKb - before.rssKb);
        state.counters["rss_peak_growth_kB"] = static_cast<double>(peak.rssKb - before.rssKb);
        state.counters["heap_growth_kB"] = static_cast<double>(after.heapKb - before.heapKb);
        state.counters["heap_peak_growth_kB"] = static_cast<double>(peak.heapKb - before.heapKb);
        state.counters["ms_per_op"] = total.count() / static_cast<double>(operations);
    }
}
} // namespace

int main(int argc, char** argv)
{
    return quoddle::bench::RunWithApplication(argc, argv, [] {
        const char* count = std::getenv("QUODDLE_SOAK_OPERATIONS");
        benchmark::RegisterBenchmark("BM_Soak", BM_Soak)
            ->Arg(count && std::atol(count) > 0 ? std::atol(count) : 2000)
            ->Iterations(1)
            ->Unit(benchmark::kSecond);
        benchmark::RunSpecifiedBenchmarks();
    });
}
