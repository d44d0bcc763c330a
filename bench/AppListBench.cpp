// Filling the application grid and both lists from a package listing that is
// already in the output pane: the refresh's own work, without the adb run
// (the runner's capture is measured by quoddle_bench_capture). Goal: at most
// 50 ms for 20,000 packages, and linear in the number of packages. (The
// instructions per package are the same at 2,000 and 20,000, as callgrind
// shows; the time per package still grows a little with the working set,
// which outgrows the caches, most of it being the cells' own strings.)
//
// The window is shown (offscreen unless QT_QPA_PLATFORM says otherwise);
// "Painted" also lets the event loop lay out and paint what changed, as the
// user would see it after a refresh. "ShowSystemPage" is a listing of 2,000
// to 100,000 system applications and the user opening their page, which lays
// out every item of its list once: linear, about 6 µs per item here.

#include "WindowBench.hpp"
#include "operations/FrmMain.hpp"
#include "widgets/StringGrid.hpp"
#include "widgets/TextListBox.hpp"
#include "windows/OutputPane.hpp"

#include <QApplication>
#include <QLineEdit>

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

namespace {

// A listing of `count` packages as a current phone prints it: most in the
// user's internal memory (old flat names and Android 11 folders), then
// system (/system/app/ and /system/priv-app/) and SD-card folders.
std::vector<std::string> Listing(int count)
{
    std::vector<std::string> lines;
    lines.reserve(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        const std::string package = "com.example.vendor" + std::to_string(i % 97) + ".app" + std::to_string(i);
        switch (i % 10) {
        case 0: case 1: case 2:
            lines.push_back("package:/data/app/" + package + "-1.apk=" + package);
            break;
        case 3: case 4: case 5:
            lines.push_back("package:/data/app/~~Zm9vYmFyYmF6cXV4eA==/" + package + "-YmFyYmF6cXV4Zm9vYg==/base.apk="
                            + package);
            break;
        case 6: case 7:
            lines.push_back("package:/system/app/App" + std::to_string(i) + "/App" + std::to_string(i) + ".apk=" + package);
            break;
        case 8:
            lines.push_back("package:/mnt/asec/" + package + "-1/pkg.apk=" + package);
            break;
        default:
            lines.push_back("package:/system/priv-app/Priv" + std::to_string(i) + "/Priv.apk=" + package);
            break;
        }
    }
    return lines;
}

void Fill(benchmark::State& state, bool paint)
{
    quoddle::TFrmMain& window = *quoddle::bench::window;
    const int count = static_cast<int>(state.range(0));
    window.Memo->setLines(Listing(count));
    for (auto _ : state) {
        window.ShowApplicationList();
        if (paint)
            QApplication::processEvents();
    }
    if (window.StringGrid1->rowCount() != 1 + count * 6 / 10 || window.listapplisys->count() != count * 3 / 10
        || window.listappautre->count() != count / 10)
        state.SkipWithError("the grid or a list was filled wrong");
    state.SetComplexityN(count);
    state.counters["packages"] = count;
}

void BM_FillAppList(benchmark::State& state) { Fill(state, false); }
void BM_FillAppListPainted(benchmark::State& state) { Fill(state, true); }

// A phone listing as many system applications, then the user opening their
// page: the list box lays out every item once, for its scroll range.
void BM_ShowSystemPage(benchmark::State& state)
{
    quoddle::TFrmMain& window = *quoddle::bench::window;
    const int count = static_cast<int>(state.range(0));
    std::vector<std::string> lines;
    for (int i = 0; i < count; ++i)
        lines.push_back("package:/system/app/App" + std::to_string(i) + ".apk=com.example.s" + std::to_string(i));
    window.Memo->setLines(lines);
    window.PageControl1->setEnabled(true);
    for (auto _ : state) {
        window.PageControl1->setCurrentWidget(window.TabSheet2);
        window.ShowApplicationList();
        QApplication::processEvents();
        window.PageControl1->setCurrentWidget(window.TabSheet4);
        QApplication::processEvents();
    }
    state.SetComplexityN(count);
    state.counters["packages"] = count;
}
BENCHMARK(BM_ShowSystemPage)->Arg(2000)->Arg(20000)->Arg(100000)->Unit(benchmark::kMillisecond)->Complexity(benchmark::oN);

BENCHMARK(BM_FillAppList)->Arg(2000)->Arg(5000)->Arg(10000)->Arg(20000)->Unit(benchmark::kMillisecond)->Complexity(benchmark::oN);
BENCHMARK(BM_FillAppListPainted)->Arg(2000)->Arg(5000)->Arg(10000)->Arg(20000)->Unit(benchmark::kMillisecond)->Complexity(benchmark::oN);

// Sorting and filtering, goal: at most 30 ms for 20,000 packages, linear.
// The grid alone with every package in it (the worst case for a sort); each
// pass sorts by the other column, so no pass starts from sorted rows.
void BM_SortGrid(benchmark::State& state)
{
    quoddle::TFrmMain& window = *quoddle::bench::window;
    const int count = static_cast<int>(state.range(0));
    std::vector<QStringList> rows;
    for (const std::string& line : Listing(count)) {
        const QString text = QString::fromStdString(line);
        const QString package = text.mid(text.lastIndexOf(QLatin1Char('=')) + 1);
        rows.push_back({package.section(QLatin1Char('.'), -1), text.mid(8), package});
    }
    window.StringGrid1->setRows(std::move(rows));
    QApplication::processEvents();
    int pass = 0;
    for (auto _ : state) {
        window.StringGrid1->sortByColumn(pass % 2 == 0 ? 0 : 2, pass % 4 < 2 ? Qt::AscendingOrder : Qt::DescendingOrder);
        QApplication::processEvents();
        ++pass;
    }
    window.StringGrid1->sortByColumn(-1, Qt::AscendingOrder);
    state.SetComplexityN(count);
}

void BM_SortList(benchmark::State& state)
{
    quoddle::TFrmMain& window = *quoddle::bench::window;
    const int count = static_cast<int>(state.range(0));
    QStringList items;
    for (const std::string& line : Listing(count))
        items << QString::fromStdString(line).mid(20);
    window.listapplisys->setItems(items);
    QApplication::processEvents();
    int pass = 0;
    for (auto _ : state) {
        window.listapplisys->sortByText(pass++ % 2 == 0 ? Qt::DescendingOrder : Qt::AscendingOrder);
        QApplication::processEvents();
    }
    state.SetComplexityN(count);
}

// Typing into the filter field of the three pages, one character a pass
// ("vendor4", then emptied again), the pages filled from a listing of that
// many packages and painted after each character.
void BM_FilterTyping(benchmark::State& state)
{
    quoddle::TFrmMain& window = *quoddle::bench::window;
    const int count = static_cast<int>(state.range(0));
    window.Memo->setLines(Listing(count));
    window.ShowApplicationList();
    window.ed_filtre->show();
    QApplication::processEvents();
    const QString word = QStringLiteral("vendor4");
    int pass = 0;
    for (auto _ : state) {
        window.ed_filtre->setText(word.left(pass++ % (word.size() + 1)));
        QApplication::processEvents();
    }
    window.ed_filtre->clear();
    window.ed_filtre->hide();
    state.SetComplexityN(count);
}

BENCHMARK(BM_SortGrid)->Arg(2000)->Arg(5000)->Arg(10000)->Arg(20000)->Unit(benchmark::kMillisecond)->Complexity(benchmark::oNLogN);
BENCHMARK(BM_SortList)->Arg(2000)->Arg(5000)->Arg(10000)->Arg(20000)->Unit(benchmark::kMillisecond)->Complexity(benchmark::oNLogN);
BENCHMARK(BM_FilterTyping)->Arg(2000)->Arg(5000)->Arg(10000)->Arg(20000)->Unit(benchmark::kMillisecond)->Complexity(benchmark::oN);

} // namespace

int main(int argc, char** argv) { return quoddle::bench::RunWindowBenchmarks(argc, argv); }
