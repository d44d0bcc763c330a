// A 50 MB split set (a 40 MB base and two 5 MB splits) dropped on the main
// window and installed with the panel's internal-memory button (reinstall
// box ticked, so every round installs again), against the same
// "adb -s SERIAL install-multiple -r -f BASE SPLIT SPLIT" run bare from this
// process. The two alternate, so that the load of a shared machine weighs on
// both alike; the ratio is taken of the medians. The handler's time includes
// reading the three manifests and grouping the files.
//
// The phone is fakephone as an Android 9 phone (cmd package sessions), on a
// private adb server. Needs the real adb and fakephone; Qt runs offscreen.

#include "QtBenchMain.hpp"
#include "e2e/AdbSession.hpp"
#include "operations/FrmMain.hpp"
#include "support/ApkWriter.hpp"
#include "support/DropFiles.hpp"
#include "support/RecordingServices.hpp"
#include "widgets/GlyphButton.hpp"

#include <QApplication>
#include <QCheckBox>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <memory>

namespace {

using quoddle::TFrmMain;
using quoddle::test::AdbSession;
using quoddle::test::AdbSessionOptions;
using Clock = std::chrono::steady_clock;

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n == 0 ? 0 : n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

double MsSince(Clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

void BM_SplitSet50MB(benchmark::State& state)
{
    AdbSessionOptions options;
    options.phoneConfig = R"({"features": ["shell_v2", "cmd"], "properties": {"ro.build.version.sdk": "28"}})";
    AdbSession session(options);
    quoddle::test::RecordingServices services;
    services.appDir = session.AppDir();
    TFrmMain window;
    const auto folder = session.WorkDir() / "set";
    std::filesystem::create_directories(folder);
    const std::vector<std::string> files = {(folder / "base.apk").string(), (folder / "split_config.xxhdpi.apk").string(),
                                            (folder / "split_config.arm64_v8a.apk").string()};
    quoddle::test::WriteApkFile(files[0], {"com.example.big", "", 1, 40u << 20});
    quoddle::test::WriteApkFile(files[1], {"com.example.big", "config.xxhdpi", 1, 5u << 20});
    quoddle::test::WriteApkFile(files[2], {"com.example.big", "config.arm64_v8a", 1, 5u << 20});
    window.box_reinstall->setChecked(true);

    std::vector<std::string> bare = {QUODDLE_REAL_ADB, "-s", session.Serial(), "install-multiple", "-r", "-f"};
    bare.insert(bare.end(), files.begin(), files.end());
    std::vector<double> handler, adbAlone;
    for (auto _ : state) {
        quoddle::test::DropFiles(&window, files);
        const auto started = Clock::now();
        window.bt_installrom->click();
        handler.push_back(MsSince(started));
        const bool installed = services.messages() == QStringList{QStringLiteral("Application installé avec succès !")};
        services.clear();

        const auto bareStarted = Clock::now();
        const auto result = quoddle::test::RunProcess(bare, std::chrono::seconds(120));
        adbAlone.push_back(MsSince(bareStarted));
        if (!installed || result.status != 0 || result.out != "Success\n") {
            state.SkipWithError(("an install failed: " + result.out + result.err).c_str());
            return;
        }
        state.SetIterationTime((handler.back() + adbAlone.back()) / 2000);
    }
    state.counters["handler_ms"] = Median(handler);
    state.counters["bare_ms"] = Median(adbAlone);
    state.counters["ratio"] = Median(handler) / Median(adbAlone);
    state.counters["MB"] = 50;
}

} // namespace

int main(int argc, char** argv)
{
    return quoddle::bench::RunWithApplication(argc, argv, [] {
        benchmark::RegisterBenchmark("BM_SplitSet50MB", BM_SplitSet50MB)
            ->Iterations(9)
            ->UseManualTime()
            ->Unit(benchmark::kMillisecond);
        benchmark::RunSpecifiedBenchmarks();
    });
}
