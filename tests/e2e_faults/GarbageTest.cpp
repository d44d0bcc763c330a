// A phone that answers garbage to the report's getprop or to the package
// listing: binary bytes, invalid UTF-8, a 5,000-character line, 100,000
// lines. The window shows what it can, bounded, and the next operation works.

#include "FaultSession.hpp"

#include "widgets/StringGrid.hpp"
#include "widgets/TextListBox.hpp"

namespace quoddle::test {
namespace {

std::string AllBytes()
{
    std::string bytes;
    for (int round = 0; round < 4; ++round)
        for (int c = 0; c < 256; ++c)
            bytes += static_cast<char>((c + round * 37) & 0xFF);
    return bytes;
}

const std::string kInvalidUtf8 = "Mod\xe8le \xff\xfe \xc3\x28 \xe2\x82 \xf0\x9f\x98 \xed\xa0\x80 fin\n";
const std::string kLongLine = std::string(5000, 'A') + "\n";

std::string ManyPackageLines(int count)
{
    std::string lines;
    for (int i = 0; i < count; ++i) {
        const std::string name = "com.example.p" + std::to_string(i);
        lines += "package:/data/app/" + name + "-1.apk=" + name + "\n";
    }
    return lines;
}

class Garbage : public FaultSession {
protected:
    // Opens the window on a phone whose `command` answers `bytes`.
    void OpenAnswering(const std::string& command, const std::string& bytes)
    {
        const auto file = std::filesystem::temp_directory_path() / ("quoddle-garbage-" + std::to_string(::getpid()));
        std::ofstream(file, std::ios::binary) << bytes;
        Open(R"({"answer_files": {")" + command + R"(": ")" + file.string() + R"("}})");
        std::filesystem::remove(file);
    }

    // The report always has its twelve lines; each value is at most the
    // pane's 4096 characters, and a line holds at most three values.
    void ExpectBoundedReport() const
    {
        const QStringList report = window->list_infotel->items();
        EXPECT_EQ(12, report.size());
        for (const QString& line : report)
            EXPECT_LE(line.size(), 3 * 4096 + 40);
    }

    // The next operations, on answers that are not garbage, work.
    void ExpectRefreshWorks()
    {
        window->sBitBtn1->click();
        EXPECT_EQ(Text(texts::kCaptionSuccess), Caption());
        EXPECT_EQ(3, window->StringGrid1->rowCount());
        EXPECT_EQ(QStringLiteral("com.example.notes"), window->StringGrid1->cell(2, 1));
    }
    void ExpectReportWorks()
    {
        window->bt_infotel->click();
        EXPECT_EQ(Text(texts::kCaptionSuccess), Caption());
        EXPECT_EQ(QStringLiteral("Modèle : Fake Phone One"), window->list_infotel->items().value(2));
    }
};

TEST_F(Garbage, ReportOfBinaryBytes)
{
    ASSERT_NO_FATAL_FAILURE(OpenAnswering("getprop", AllBytes()));
    // The bytes begin with a NUL, which ends the captured text: the report read
    // nothing, an answer no working phone gives, and the caption tells a failure.
    EXPECT_EQ(Text(texts::kCaptionRunError), Caption());
    ExpectBoundedReport();
    ExpectRefreshWorks();
    ExpectNoAdbChild();
}

TEST_F(Garbage, ReportOfInvalidUtf8)
{
    ASSERT_NO_FATAL_FAILURE(OpenAnswering("getprop", kInvalidUtf8));
    ExpectBoundedReport();
    // Each byte that is no UTF-8 becomes a replacement character; the rest stays.
    const QString model = window->list_infotel->items().value(2);
    EXPECT_TRUE(model.startsWith(QStringLiteral("Modèle : Mod\uFFFDle "))) << model.toStdString();
    EXPECT_TRUE(model.endsWith(QStringLiteral(" fin"))) << model.toStdString();
    ExpectRefreshWorks();
}

TEST_F(Garbage, ReportOfALongLine)
{
    ASSERT_NO_FATAL_FAILURE(OpenAnswering("getprop", kLongLine));
    ExpectBoundedReport();
    EXPECT_EQ(QStringLiteral("Modèle : ") + QString(4096, QLatin1Char('A')), window->list_infotel->items().value(2));
    ExpectRefreshWorks();
}

TEST_F(Garbage, ListingOfBinaryBytesAndOfALongLine)
{
    // The long line first: a NUL drops the rest of the read it came in, which
    // may hold whatever follows it.
    const std::string longEntry = "package:/data/app/" + std::string(5000, 'B') + ".apk=com.example.long\n";
    ASSERT_NO_FATAL_FAILURE(OpenAnswering("pm list packages", longEntry + AllBytes()));
    window->sBitBtn1->click();
    EXPECT_EQ(Text(texts::kCaptionSuccess), Caption());
    // The long line is read as its first 4096 characters: an application
    // without its package name, cut in its file name.
    const StringGrid* grid = window->StringGrid1;
    ASSERT_EQ(2, grid->rowCount());
    EXPECT_EQ(QString(4096 - 18, QLatin1Char('B')), grid->cell(1, 1));
    EXPECT_EQ(QString(), grid->cell(2, 1));
    ExpectReportWorks();
    ExpectNoAdbChild();
}

TEST_F(Garbage, ListingOfAHundredThousandLines)
{
    constexpr int kLines = 100000;
    ASSERT_NO_FATAL_FAILURE(OpenAnswering("pm list packages", ManyPackageLines(kLines)));
    window->sBitBtn1->click();
    EXPECT_EQ(Text(texts::kCaptionSuccess), Caption());
    ASSERT_EQ(kLines + 1, window->StringGrid1->rowCount());
    EXPECT_EQ(QStringLiteral("com.example.p99999"), window->StringGrid1->cell(2, kLines));
    ExpectReportWorks();
    // A second refresh replaces the rows rather than adding to them.
    window->sBitBtn1->click();
    EXPECT_EQ(kLines + 1, window->StringGrid1->rowCount());
    ExpectNoAdbChild();
}

} // namespace
} // namespace quoddle::test
