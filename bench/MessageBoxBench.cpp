// The box that shows a command's whole output ("Supprimer les temporaires..."
// on a phone whose rm complains about every file): building it, and showing
// it with its first paint, for 10,000 to 100,000 lines of about 47
// characters (100,000 lines: 4.7 MB). Goal: 100,000 lines in well under a
// second, and linear in the text. The yardstick is the plain message box
// that every box used to be. "TrashAction" is the whole click as the user
// waits for it: adb's run (a script printing the lines), the output pane,
// and the box shown.
//
// Offscreen unless QT_QPA_PLATFORM says otherwise.

#include "WindowBench.hpp"
#include "operations/FrmMain.hpp"
#include "windows/MessageBoxes.hpp"

#include <QApplication>

#include <benchmark/benchmark.h>

#include <fstream>
#include <memory>

namespace {

// What rm prints on a phone that refuses every file, and the box's text for it.
QString RmLines(int lines)
{
    QString text;
    text.reserve(lines * 50);
    for (int i = 0; i < lines; ++i)
        text += QStringLiteral("rm: /data/local/tmp/f%1: Permission denied\r\n").arg(i, 6, 10, QLatin1Char('0'));
    return text;
}

QString RmOutput(int lines) { return QStringLiteral("Résultat de la commande : \r") + RmLines(lines); }

void Box(benchmark::State& state, bool shown)
{
    const int lines = static_cast<int>(state.range(0));
    const QString text = RmOutput(lines);
    for (auto _ : state) {
        const auto box = quoddle::BuildMessageBox(QMessageBox::NoIcon, QStringLiteral("Quoddle"), text);
        if (shown) {
            box->show();
            QApplication::processEvents();
        }
        benchmark::DoNotOptimize(box.get());
    }
    state.SetComplexityN(lines);
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * text.size() * 2);
    state.counters["lines"] = lines;
}

// The yardstick: the same text in a plain message box, as every box was shown before.
void BM_PlainMessageBox(benchmark::State& state)
{
    const QString text = RmOutput(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        QMessageBox box(QMessageBox::NoIcon, QStringLiteral("Quoddle"), text, QMessageBox::Ok);
        box.show();
        QApplication::processEvents();
    }
    state.SetComplexityN(state.range(0));
    state.counters["lines"] = static_cast<double>(state.range(0));
}

void BM_TrashAction(benchmark::State& state)
{
    const int lines = static_cast<int>(state.range(0));
    using quoddle::bench::services;
    using quoddle::bench::window;
    std::ofstream(services->FilePath("rm-output"), std::ios::binary) << RmLines(lines).toStdString();
    int shownLines = 0;
    services->onMessage = [&shownLines](const QString& text) {
        const auto box = quoddle::BuildMessageBox(QMessageBox::NoIcon, QStringLiteral("Quoddle"), text);
        box->show();
        QApplication::processEvents();
        shownLines = static_cast<int>(text.count(QLatin1Char('\n')));
    };
    window->CurrentDevice = "bench";
    for (auto _ : state)
        window->bt_trashClick();
    services->onMessage = nullptr;
    if (shownLines != lines)
        state.SkipWithError("the box did not show every line");
    state.SetComplexityN(lines);
    state.counters["lines"] = lines;
}

void BM_BuildOutputBox(benchmark::State& state) { Box(state, false); }
void BM_ShowOutputBox(benchmark::State& state) { Box(state, true); }

BENCHMARK(BM_BuildOutputBox)->Arg(10000)->Arg(20000)->Arg(50000)->Arg(100000)->Unit(benchmark::kMillisecond)->Complexity(benchmark::oN);
BENCHMARK(BM_PlainMessageBox)->Arg(1000)->Arg(2000)->Arg(5000)->Arg(10000)->Unit(benchmark::kMillisecond)->Complexity();
BENCHMARK(BM_ShowOutputBox)->Arg(10000)->Arg(20000)->Arg(50000)->Arg(100000)->Unit(benchmark::kMillisecond)->Complexity(benchmark::oN);
BENCHMARK(BM_TrashAction)->Arg(10000)->Arg(20000)->Arg(50000)->Arg(100000)->Unit(benchmark::kMillisecond)->Complexity(benchmark::oN);

} // namespace

int main(int argc, char** argv)
{
    return quoddle::bench::RunWindowBenchmarks(
        argc, argv, "case \"$*\" in *\" rm \"*) cat \"$(dirname \"$0\")/rm-output\";; esac\n");
}
