// adb missing from the program's folder, or there but nothing the program
// can run: the error box or the silent refusal, nothing started, and the
// program working again once adb is back.

#include "FaultSession.hpp"

#include "widgets/StringGrid.hpp"
#include "widgets/TextListBox.hpp"
#include "windows/OutputPane.hpp"

#include <QAction>

#include <sys/stat.h>

namespace quoddle::test {
namespace {

void PutRealAdbBack(const std::string& path)
{
    std::filesystem::remove(path);
    std::filesystem::create_symlink(QUODDLE_REAL_ADB, path);
}

TEST_F(FaultSession, AdbMissingAtStartThenPutBack)
{
    ASSERT_NO_FATAL_FAILURE(StartSession({}));
    std::filesystem::remove(AdbPath());
    OpenWindow();
    const QStringList missing = {QString::fromStdString("Impossible d'ouvrir le fichier " + AdbPath() + ".")};
    EXPECT_EQ(missing, Errors());
    // The rest of the creation is skipped: no header row, no phone.
    EXPECT_EQ(QString(), window->StringGrid1->cell(0, 0));
    EXPECT_EQ("", window->CurrentDevice);

    // Every search fails the same way, before anything starts.
    window->Chercherletlphone1->trigger();
    EXPECT_EQ(missing, Errors());
    EXPECT_EQ(Journal{}, PhoneSaw());
    ExpectNoAdbChild();

    PutRealAdbBack(AdbPath());
    window->Chercherletlphone1->trigger();
    EXPECT_EQ(QStringList{}, Errors());
    EXPECT_EQ(Serial(), window->CurrentDevice);
    EXPECT_EQ(Text(texts::kCaptionSuccess), Caption());
    EXPECT_EQ(QStringLiteral("Modèle : Fake Phone One"), window->list_infotel->items().value(2));
}

// What stands in the program's folder as "adb", and what the user is told
// when an operation tries to run it ("" for nothing at all).
struct NotAProgram {
    const char* name;
    void (*make)(const std::string& path);
    std::string told;
};

const NotAProgram kNotPrograms[] = {
    {"DataFile", [](const std::string& path) { std::ofstream(path) << std::string(100, 'x'); }, ""},
    {"ShortFile", [](const std::string& path) { std::ofstream(path) << "not adb\n"; }, "Erreur de lecture du flux."},
    {"AdbWithoutExecuteBit",
     [](const std::string& path) {
         std::filesystem::copy_file(QUODDLE_REAL_ADB, path);
         ::chmod(path.c_str(), 0644);
     },
     "Erreur système.  Code : 13.\r\nPermission denied."},
    {"Missing", [](const std::string&) {}, "Impossible d'ouvrir le fichier {adb}."},
};

void PrintTo(const NotAProgram& p, std::ostream* os) { *os << p.name; }

class NotRunnable : public FaultSession, public ::testing::WithParamInterface<NotAProgram> {};

TEST_P(NotRunnable, OperationRefusedCaptionAndPaneKept)
{
    ASSERT_NO_FATAL_FAILURE(Open());
    std::filesystem::remove(AdbPath());
    GetParam().make(AdbPath());
    window->setWindowTitle(QStringLiteral("Quoddle"));
    const QString pane = window->Memo->text();
    PhoneSaw();

    window->bt_reboot->click();
    std::string told = GetParam().told;
    if (const auto at = told.find("{adb}"); at != std::string::npos)
        told.replace(at, 5, AdbPath());
    EXPECT_EQ(told.empty() ? QStringList{} : QStringList{QString::fromStdString(told)}, Errors());
    EXPECT_EQ(QStringList{}, Messages());
    EXPECT_EQ(QStringLiteral("Quoddle"), Caption());
    EXPECT_EQ(pane, window->Memo->text());
    EXPECT_EQ(Journal{}, PhoneSaw());
    ExpectNoAdbChild();

    PutRealAdbBack(AdbPath());
    window->bt_reboot->click();
    EXPECT_EQ(Journal{"reboot:"}, PhoneSaw());
    EXPECT_EQ(Text(texts::kCaptionSuccess), Caption());
    EXPECT_EQ(QStringList{}, Errors());
}

INSTANTIATE_TEST_SUITE_P(InTheFolder, NotRunnable, ::testing::ValuesIn(kNotPrograms),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace quoddle::test
