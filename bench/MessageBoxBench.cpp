// The box that shows a command's whole output ("Supprimer les temporaires..."
// on a phone whose rm complains about every file): building it, and showing
// it with its first paint, for 10,000 to 100,000 lines of about 47
// characters (100,000 lines: 4.7 MB). Goal: 100,000 lines in well under a
// second, and linear in the text.
//
// Offscreen unless QT_QPA_PLATFORM says otherwise.

#include "windows/MessageBoxes.hpp"

#include <QApplication>

#include <benchmark/benchmark.h>

namespace {

QString RmOutput(int lines)
{
    QString text = QStringLiteral("Résultat de la commande : \r");
    text.reserve(lines * 50);
    for (int i = 0; i < lines; ++i)
        text += QStringLiteral("rm: /data/local/tmp/f%1: Permission denied\r\n").arg(i, 6, 10, QLatin1Char('0'));
    return text;
}

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

void BM_BuildOutputBox(benchmark::State& state) { Box(state, false); }
void BM_ShowOutputBox(benchmark::State& state) { Box(state, true); }

BENCHMARK(BM_BuildOutputBox)->Arg(10000)->Arg(20000)->Arg(50000)->Arg(100000)->Unit(benchmark::kMillisecond)->Complexity(benchmark::oN);
BENCHMARK(BM_PlainMessageBox)->Arg(1000)->Arg(2000)->Arg(5000)->Arg(10000)->Unit(benchmark::kMillisecond)->Complexity();
BENCHMARK(BM_ShowOutputBox)->Arg(10000)->Arg(20000)->Arg(50000)->Arg(100000)->Unit(benchmark::kMillisecond)->Complexity(benchmark::oN);

} // namespace

int main(int argc, char** argv)
{
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
