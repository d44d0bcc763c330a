// A phone lost in the middle of a command: adb 29 then ends with status 0 and
// prints nothing, an answer no working phone gives to the report, the package
// listing, an install or a removal. None of them may be told as a success.
// And a pick in the device list of the item already selected runs nothing.

#include "MainWindowFixture.hpp"

#include "operations/Texts.hpp"

#include <QCheckBox>
#include <QComboBox>
#include <QPushButton>

using namespace quoddle;
using namespace quoddle::test;

namespace {

const QString kRunError = QString::fromUtf8(texts::kCaptionRunError);

const std::string kListing = "package:/data/app/com.example.notes-1.apk=com.example.notes\n"
                             "package:/system/app/Browser.apk=com.android.browser\n"
                             "package:/mnt/asec/com.example.game-1/pkg.apk=com.example.game\n";

} // namespace

TEST_F(MainWindowTest, ReportWithoutAnAnswerIsAFailure)
{
    const struct {
        const char* name;
        FakeAdbRule first, second;
    } cases[] = {
        {"both_chains_silent", FakeAdbRule::Args(ReportFirstText(kSerial)), FakeAdbRule::Args(ReportSecondText(kSerial))},
        {"first_chain_silent", FakeAdbRule::Args(ReportFirstText(kSerial)),
         FakeAdbRule::Args(ReportSecondText(kSerial)).Out("g7-1\nOrange F\nOrange\nLTE\n")},
        {"second_chain_silent", FakeAdbRule::Args(ReportFirstText(kSerial)).Out("Pixel 7\n14\nbb\nd\nUQ1A\nb\n\n14\n"),
         FakeAdbRule::Args(ReportSecondText(kSerial))},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        adb.ClearJournal();
        Open({DevicesRule(kSerial + "\tdevice\n"), c.first, c.second});
        EXPECT_EQ(kRunError, Caption());
        EXPECT_EQ(12, window->list_infotel->count());
        EXPECT_EQ(3u, Sent().size()); // devices and both chains: nothing more
    }
}

TEST_F(MainWindowTest, ListingWithoutAnAnswerLeavesThePagesClean)
{
    Open(PhoneRules());
    const std::string listing = "-s " + kSerial + " shell pm list packages -f";
    Rescript({FakeAdbRule::Args(listing).Out(kListing)});
    window->sBitBtn1->click();
    ASSERT_EQ(2, window->StringGrid1->rowCount());
    ASSERT_EQ(QString::fromUtf8(texts::kCaptionSuccess), Caption());

    Rescript({FakeAdbRule::Args(listing)});
    window->sBitBtn1->click();
    EXPECT_EQ(kRunError, Caption());
    EXPECT_EQ(1, window->StringGrid1->rowCount());
    EXPECT_EQ(QStringLiteral("Nom Prog"), window->StringGrid1->cell(0, 0));
    EXPECT_EQ(0, window->listapplisys->count());
    EXPECT_EQ(0, window->listappautre->count());
    EXPECT_TRUE(services.messages().isEmpty());
}

TEST_F(MainWindowTest, InstallWithoutAnAnswerIsAFailure)
{
    Open(PhoneRules());
    const std::string file = folder.dir() + "notes.apk";
    services.fileAnswers = {QString::fromStdString(file)};
    window->bt_install->click();
    for (QPushButton* button : {window->bt_installsd, window->bt_installrom}) {
        Rescript({FakeAdbRule::Default()});
        button->click();
        EXPECT_EQ((FakeAdb::Calls{{"-s", kSerial, "install", file}}), Sent());
        EXPECT_EQ(QStringList{"ECHEC : "}, services.messages());
        EXPECT_EQ(kRunError, Caption());
        EXPECT_TRUE(window->panel_install->isVisibleTo(window->clientArea()));
    }
}

TEST_F(MainWindowTest, RemovalWithoutAnAnswerIsAFailure)
{
    Open(PhoneRules());
    Rescript({FakeAdbRule::Default().Out(kListing)});
    window->sBitBtn1->click();
    Rescript({FakeAdbRule::Default()});
    window->bt_desinstall->click();
    EXPECT_EQ((FakeAdb::Calls{{"-s", kSerial, "shell", "pm", "uninstall", "-k", "com.example.notes"}}), Sent());
    EXPECT_EQ(QStringList{"Resultat : \r"}, services.messages());
    EXPECT_EQ(kRunError, Caption());
}

TEST_F(MainWindowTest, RepickingTheSelectedDeviceRunsNothing)
{
    Open(std::vector{DevicesRule("AAA\tdevice\nBBB\tdevice\n")} + PhoneRules("AAA") + PhoneRules("BBB"));
    adb.ClearJournal();
    QComboBox* list = window->listdevices;
    const auto pick = [list](int index) {
        list->setCurrentIndex(index);
        emit list->activated(index); // as a pick in the open list sends it
    };

    pick(0); // the item the search selected
    EXPECT_EQ(FakeAdb::Calls{}, Sent());
    pick(1);
    ASSERT_EQ(2u, Sent().size());
    EXPECT_EQ("BBB", Sent()[0][1]);
    EXPECT_EQ("BBB", window->CurrentDevice);
    adb.ClearJournal();
    pick(1);
    EXPECT_EQ(FakeAdb::Calls{}, Sent());
    pick(0);
    EXPECT_EQ(2u, Sent().size());
    EXPECT_EQ("AAA", window->CurrentDevice);

    // After a new search its first item is the selected one again.
    window->Chercherletlphone1Click();
    adb.ClearJournal();
    pick(0);
    EXPECT_EQ(FakeAdb::Calls{}, Sent());
}
