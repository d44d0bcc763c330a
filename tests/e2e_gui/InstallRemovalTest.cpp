// Installs and removals from the main window, through the real adb: what
// reached the phone, what the user was told, and the grid and lists after.

#include "WindowSession.hpp"

#include "operations/Texts.hpp"
#include "widgets/Panel.hpp"
#include "widgets/StringGrid.hpp"
#include "widgets/TextListBox.hpp"

#include <QCheckBox>
#include <QPushButton>
#include <QRegularExpression>

#include <fstream>

namespace quoddle::test {
namespace {

constexpr std::size_t kApkSize = 100000;

// A package file whose path holds a blank and double quotes: it must reach
// adb as one argument.
std::string WriteApk(const AdbSession& session)
{
    const auto folder = session.WorkDir() / "My Apps";
    std::filesystem::create_directories(folder);
    const auto path = folder / "say \"hi\".apk";
    const std::string head = "package=com.example.newapp\n";
    std::ofstream(path, std::ios::binary) << head << std::string(kApkSize - head.size(), 'x');
    return path.string();
}

class InstallAndRemoval : public WindowSession {
protected:
    // What the phone sees for one install with these options ("", "-r -s", "-r -f").
    Journal Install(const std::string& options) const
    {
        std::vector<std::string> words;
        for (std::size_t at = 0; at < options.size();) {
            const std::size_t end = std::min(options.find(' ', at), options.size());
            words.push_back(options.substr(at, end - at));
            at = end + 1;
        }
        std::string quoted; // 'w1' 'w2' with a blank after each
        for (const auto& word : words)
            quoted += "'" + word + "' ";
        const std::string size = std::to_string(kApkSize);
        if (Kind().android11) {
            std::string service = "abb_exec:package\\0install\\0";
            for (const auto& word : words)
                service += word + "\\0";
            return {service + "-S\\0" + size};
        }
        if (Kind().shellV2)
            return {"exec:cmd package 'install' " + quoted + "-S " + size};
        const std::string pushed = "/data/local/tmp/say \"hi\".apk";
        return {"sync:", "shell:pm 'install' " + quoted + "'" + pushed + "'", "shell:rm '" + pushed + "' </dev/null"};
    }

    void Choose(const std::string& file)
    {
        services.fileAnswers = {QString::fromStdString(file)};
        window->bt_install->click();
    }

    bool PanelShown() const { return window->panel_install->isVisibleTo(window->clientArea()); }
};

const QString kSuccess = QString::fromUtf8(texts::kInstallSuccess);
const QString kAlreadyThere = QString::fromUtf8(texts::kInstallAlreadyThere);

TEST_P(InstallAndRemoval, FirstInstallAlreadyThereAndReinstalls)
{
    ASSERT_NO_FATAL_FAILURE(Open());
    PhoneSaw();
    const std::string apk = WriteApk(*session);

    Choose(apk);
    EXPECT_TRUE(PanelShown());
    window->bt_installrom->click();
    EXPECT_EQ(Install(""), PhoneSaw());
    EXPECT_EQ(QStringList{kSuccess}, Messages());
    EXPECT_FALSE(PanelShown());

    Choose(apk);
    window->bt_installsd->click();
    EXPECT_EQ(Install(""), PhoneSaw());
    EXPECT_EQ(QStringList{kAlreadyThere}, Messages());
    EXPECT_TRUE(PanelShown());

    window->box_reinstall->setChecked(true);
    window->bt_installsd->click();
    EXPECT_EQ(Install("-r -s"), PhoneSaw());
    EXPECT_EQ(QStringList{kSuccess}, Messages());
    EXPECT_FALSE(PanelShown());
    window->sBitBtn1->click();
    EXPECT_EQ(3, window->StringGrid1->rowCount()); // on the SD card, not in the grid
    const QString onSdCard = window->listappautre->items().value(1);
    if (Kind().android11)
        EXPECT_TRUE(QRegularExpression(QStringLiteral(
                        R"(^package:/mnt/expand/[-0-9a-f]+/app/~~[\w-]+==/com\.example\.newapp-[\w-]+==/base\.apk=com\.example\.newapp$)"))
                        .match(onSdCard)
                        .hasMatch())
            << onSdCard.toStdString();
    else
        EXPECT_EQ(QStringLiteral("package:/mnt/asec/com.example.newapp-1/pkg.apk=com.example.newapp"), onSdCard);

    PhoneSaw(); // the refresh

    Choose(apk);
    window->bt_installrom->click();
    EXPECT_EQ(Install("-r -f"), PhoneSaw());
    EXPECT_EQ(QStringList{kSuccess}, Messages());
    window->sBitBtn1->click();
    ASSERT_EQ(4, window->StringGrid1->rowCount());
    EXPECT_EQ(1, window->listappautre->count());
    const StringGrid* grid = window->StringGrid1;
    EXPECT_EQ(QStringLiteral("com.example.newapp"), grid->cell(2, 3));
    if (Kind().android11) {
        EXPECT_EQ(QStringLiteral("newapp"), grid->cell(0, 3));
        EXPECT_TRUE(QRegularExpression(QStringLiteral(R"(^~~[\w-]+==/com\.example\.newapp-[\w-]+==/base\.apk$)"))
                        .match(grid->cell(1, 3))
                        .hasMatch())
            << grid->cell(1, 3).toStdString();
    } else {
        EXPECT_EQ(QStringLiteral("newapp-1"), grid->cell(0, 3));
        EXPECT_EQ(QStringLiteral("com.example.newapp-1.apk"), grid->cell(1, 3));
    }
}

TEST_P(InstallAndRemoval, FileGoneSinceChosenTellsWhy)
{
    ASSERT_NO_FATAL_FAILURE(Open());
    PhoneSaw();
    const std::string gone = (session->WorkDir() / "gone.apk").string();
    Choose(gone);
    window->bt_installsd->click();
    // adb says why on standard error (or, with the push install, on standard output).
    const std::string why = Kind().shellV2 ? "adb: failed to stat " + gone + ": No such file or directory"
                                           : "adb: error: cannot stat '" + gone + "': No such file or directory";
    EXPECT_EQ(QStringList{QString::fromUtf8(texts::kInstallFailurePrefix) + QString::fromStdString(why)}, Messages());
    EXPECT_TRUE(PanelShown());
    EXPECT_EQ(Kind().shellV2 ? Journal{} : Journal{"sync:"}, PhoneSaw());
}

TEST_P(InstallAndRemoval, RemovalsWithAndWithoutKeepingData)
{
    ASSERT_NO_FATAL_FAILURE(Open());
    window->sBitBtn1->click();
    PhoneSaw();
    const QString result = QString::fromUtf8(texts::kRemovalResultPrefix);

    window->StringGrid1->setRow(1);
    window->bt_desinstall->click();
    EXPECT_EQ(Journal{Kind().Shell("pm uninstall -k com.example.notes")}, PhoneSaw());
    EXPECT_EQ(QStringList{result + QString::fromStdString(Kind().PaneText({"Success"}))}, Messages());

    // The grid still lists the removed application until the next refresh.
    window->StringGrid1->setRow(2);
    window->bt_desinstalltt->click();
    EXPECT_EQ(Journal{Kind().Shell("pm uninstall com.example.chess")}, PhoneSaw());
    EXPECT_EQ(QStringList{result + QString::fromStdString(Kind().PaneText({"Success"}))}, Messages());

    // No application left: the header stays a header, and a removal names no package.
    window->sBitBtn1->click();
    PhoneSaw();
    EXPECT_EQ(1, window->StringGrid1->rowCount());
    window->bt_desinstalltt->click();
    EXPECT_EQ(Journal{Kind().Shell("pm uninstall")}, PhoneSaw());
    EXPECT_EQ(QStringList{result + QString::fromStdString(Kind().PaneText({"Failure [DELETE_FAILED_INTERNAL_ERROR]"}))},
              Messages());
}

INSTANTIATE_TEST_SUITE_P(EveryPhone, InstallAndRemoval, ::testing::ValuesIn(kPhoneKinds), PhoneKindName);

} // namespace
} // namespace quoddle::test
