// The program with its English catalogue installed, as on an English desktop:
// every text that a person reads has changed language, unless the catalogue
// keeps it as it is (a key's letter, a name); no English text is cut by its
// control, measured with the fonts the controls use; captions, messages, the
// report and the errors of the runner come out in English.

#include "Catalogue.hpp"
#include "console/SfcConsoleIOHandler.hpp"
#include "operations/MainWindowFixture.hpp"
#include "operations/Texts.hpp"
#include "platform/Platform.hpp"
#include "startup/Translations.hpp"
#include "windows/AboutWindow.hpp"
#include "windows/ClippedCaptions.hpp"
#include "windows/HandlerGuard.hpp"
#include "windows/KeypadWindow.hpp"
#include "windows/SplashWindowForm.hpp"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QRegularExpression>
#include <QSet>
#include <QTabWidget>
#include <QTest>
#include <QTranslator>

#include <fstream>
#include <utility>
#include <vector>

using namespace quoddle;
using namespace quoddle::test;

namespace {

QTranslator& EnglishCatalogue()
{
    static QTranslator translator;
    static const bool loaded = translator.load(QString::fromLatin1(kEnglishCatalog));
    EXPECT_TRUE(loaded) << kEnglishCatalog;
    return translator;
}

QString English(const char* context, const char* french)
{
    return EnglishCatalogue().translate(context, french);
}

// A text a person can read, with where it is: "bt_reboot caption".
using ReadableText = std::pair<QString, QString>;

void AddWidgetTexts(QWidget* w, std::vector<ReadableText>& texts)
{
    const QString name = w->objectName();
    const auto add = [&](const QString& part, const QString& text) {
        if (!text.trimmed().isEmpty())
            texts.emplace_back(name + QLatin1Char(' ') + part, text);
    };
    add(QStringLiteral("hint"), w->toolTip());
    if (auto* button = qobject_cast<QAbstractButton*>(w))
        add(QStringLiteral("caption"), button->text());
    if (auto* label = qobject_cast<QLabel*>(w))
        add(QStringLiteral("caption"), label->text());
    if (auto* group = qobject_cast<QGroupBox*>(w))
        add(QStringLiteral("title"), group->title());
    if (auto* menu = qobject_cast<QMenu*>(w))
        add(QStringLiteral("menu"), menu->title());
    if (auto* edit = qobject_cast<QLineEdit*>(w))
        add(QStringLiteral("placeholder"), edit->placeholderText());
    if (auto* pages = qobject_cast<QTabWidget*>(w)) {
        for (int i = 0; i < pages->count(); ++i)
            add(QStringLiteral("tab %1").arg(i), pages->tabText(i));
    }
    if (auto* grid = qobject_cast<StringGrid*>(w)) {
        for (int col = 0; col < grid->colCount(); ++col)
            add(QStringLiteral("header %1").arg(col), grid->cell(col, 0));
    }
}

// Every text that the window shows or can show, in the order its controls were made.
std::vector<ReadableText> ReadableTexts(QWidget* window)
{
    std::vector<ReadableText> texts{{window->objectName() + QStringLiteral(" title"), window->windowTitle()}};
    AddWidgetTexts(window, texts);
    for (QWidget* w : window->findChildren<QWidget*>())
        AddWidgetTexts(w, texts);
    for (QAction* action : window->findChildren<QAction*>()) {
        if (!action->isSeparator() && !action->text().isEmpty())
            texts.emplace_back(action->objectName() + QStringLiteral(" menu item"), action->text());
    }
    return texts;
}

// Texts that read the same in both languages on purpose: those the catalogue
// keeps as they are, the product's name, its web address and the splash's
// title, which no one sees (the splash has no frame).
QSet<QString> SameInBothLanguages()
{
    QSet<QString> same{QStringLiteral("Quoddle"), QString::fromLatin1(Tfm_apropos::kWebAddress),
                       QStringLiteral("SplashScreen")};
    for (const CatalogueMessage& m : ReadCatalogue(QStringLiteral(QUODDLE_TS_FILE))) {
        if (m.source == m.translation)
            same << m.source;
    }
    return same;
}

class EnglishProgram : public MainWindowTest {
protected:
    void SetUp() override
    {
        MainWindowTest::SetUp();
        ASSERT_FALSE(EnglishCatalogue().isEmpty());
        SpeakEnglish(true);
    }
    void TearDown() override { SpeakEnglish(false); }

    // The catalogue, and an English default locale, which the pictures with words follow.
    static void SpeakEnglish(bool english)
    {
        static const QLocale desktop;
        if (english) {
            QCoreApplication::installTranslator(&EnglishCatalogue());
            QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        } else {
            QCoreApplication::removeTranslator(&EnglishCatalogue());
            QLocale::setDefault(desktop);
        }
    }

    // The main window with a phone, its report and its application list.
    void OpenWithAPhone()
    {
        Open(PhoneRules());
        Rescript({FakeAdbRule::Args("-s " + kSerial + " shell pm list packages -f")
                      .Out("package:/data/app/com.example.notes-1.apk=com.example.notes\n"
                           "package:/system/app/Browser.apk=com.android.browser\n"
                           "package:/mnt/asec/com.example.game-1/pkg.apk=com.example.game\n")});
        window->sBitBtn1->click();
    }

    // Also leaves a picture of it in the build folder (english-screenshots/), for a person to look at.
    void ExpectNothingCut(QWidget* shown, const QString& state)
    {
        shown->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(shown)) << state.toStdString();
        EXPECT_EQ(QStringList(), ClippedCaptions(shown)) << state.toStdString();
        QDir().mkpath(QStringLiteral(QUODDLE_SCREENSHOT_DIR));
        QString file = state;
        file.replace(QRegularExpression(QStringLiteral("[^A-Za-z0-9]+")), QStringLiteral("-"));
        shown->grab().save(QStringLiteral(QUODDLE_SCREENSHOT_DIR "/") + file + QStringLiteral(".png"));
    }
};

// Each window built once in French and once in English: a text that reads the
// same in both has not gone through the translation; the phone pictures' words
// change too, and the argument texts sent to adb do not.
TEST_F(EnglishProgram, EveryTextChangesLanguageButWhatTheCatalogueKeepsAndWhatReachesAdb)
{
    const auto textsOfEveryWindow = [this](std::vector<QImage>& phonePictures, FakeAdb::Calls& sent) {
        OpenWithAPhone();
        window->bt_infotelClick();
        sent = Sent();
        phonePictures = {window->ImageErr->pixmap().toImage(), window->ImageOk->pixmap().toImage()};
        window->bt_installClick(); // no file chosen: the panel stays hidden, the dialog's texts are read below
        std::vector<ReadableText> texts = ReadableTexts(window.get());
        texts.emplace_back(QStringLiteral("OpenDialog1 title"), window->OpenDialog1.title);
        texts.emplace_back(QStringLiteral("OpenDialog1 filter"), window->OpenDialog1.filter);
        // The context menus of the application pages.
        for (QAbstractItemView* view : std::initializer_list<QAbstractItemView*>{
                 window->StringGrid1, window->listappautre, window->listapplisys}) {
            const std::unique_ptr<QMenu> menu = window->ApplicationMenu(view);
            for (QAction* action : menu->actions()) {
                if (!action->isSeparator())
                    texts.emplace_back(view->objectName() + QStringLiteral(" menu ") + action->objectName(),
                                       action->text());
            }
        }
        for (int i = 0; i < window->list_infotel->count(); ++i) {
            if (!window->list_infotel->item(i)->text().isEmpty())
                texts.emplace_back(QStringLiteral("list_infotel item %1").arg(i), window->list_infotel->item(i)->text());
        }
        Tfm_apropos about;
        SplashWindowForm splash;
        Tfm_appli keypad;
        for (QWidget* other : std::initializer_list<QWidget*>{&about, &splash, &keypad}) {
            const auto more = ReadableTexts(other);
            texts.insert(texts.end(), more.begin(), more.end());
        }
        window.reset();
        return texts;
    };
    std::vector<QImage> englishPictures;
    std::vector<QImage> frenchPictures;
    FakeAdb::Calls englishSent;
    FakeAdb::Calls frenchSent;
    const std::vector<ReadableText> english = textsOfEveryWindow(englishPictures, englishSent);
    SpeakEnglish(false);
    const std::vector<ReadableText> french = textsOfEveryWindow(frenchPictures, frenchSent);
    SpeakEnglish(true);

    // What reaches adb and the phone is the same in both languages.
    EXPECT_FALSE(frenchSent.empty());
    EXPECT_EQ(frenchSent, englishSent);

    // The words on the phone's screen too.
    ASSERT_EQ(2u, englishPictures.size());
    EXPECT_NE(frenchPictures[0], englishPictures[0]) << "ImageErr reads NON DETECTE in English too";
    EXPECT_NE(frenchPictures[1], englishPictures[1]) << "ImageOk reads LIGNE USB OK in English too";

    ASSERT_EQ(french.size(), english.size());
    ASSERT_FALSE(french.empty());
    const QSet<QString> same = SameInBothLanguages();
    for (std::size_t i = 0; i < french.size(); ++i) {
        ASSERT_EQ(french[i].first, english[i].first);
        if (french[i].second == english[i].second) {
            EXPECT_TRUE(same.contains(french[i].second))
                << french[i].first.toStdString() << " reads \"" << french[i].second.toStdString()
                << "\" in English too: not translated";
        }
    }
}

TEST_F(EnglishProgram, NoEnglishTextIsCutInTheMainWindow)
{
    Open({DevicesRule("")});
    ExpectNothingCut(window.get(), QStringLiteral("no phone: the connection panel"));
    window->PageControl2->setCurrentWidget(window->TabSheet5);
    ExpectNothingCut(window.get(), QStringLiteral("no phone, settings page"));

    services.fileAnswers.push_back(QString::fromStdString(folder.dir() + "notes.apk"));
    window->bt_installClick();
    ExpectNothingCut(window.get(), QStringLiteral("install panel"));
    window.reset();

    OpenWithAPhone();
    ExpectNothingCut(window.get(), QStringLiteral("a phone"));
    for (QTabWidget* pages : {window->PageControl2, window->PageControl1}) {
        for (int i = 0; i < pages->count(); ++i) {
            pages->setCurrentIndex(i);
            ExpectNothingCut(window.get(), QStringLiteral("a phone ") + pages->widget(i)->objectName());
        }
    }
}

TEST_F(EnglishProgram, NoEnglishTextIsCutInTheSmallWindows)
{
    Tfm_apropos about;
    ExpectNothingCut(&about, QStringLiteral("about"));
    SplashWindowForm splash;
    ExpectNothingCut(&splash, QStringLiteral("splash"));
    Tfm_appli keypad;
    ExpectNothingCut(&keypad, QStringLiteral("keypad"));
    // The keypad's keys read on one line each.
    for (int number = 1; number <= Tfm_appli::kButtonCount; ++number)
        EXPECT_EQ(1, keypad.Button(number)->captionLineCount()) << keypad.Button(number)->text().toStdString();
}

TEST_F(EnglishProgram, CaptionsMessagesAndTheReportSpeakEnglish)
{
    const auto expectEnglish = [](const char* french, const QString& shown) {
        EXPECT_NE(QString::fromUtf8(french), texts::Tr(french)) << french;
        EXPECT_EQ(texts::Tr(french), shown);
    };
    OpenWithAPhone();
    expectEnglish(texts::kCaptionSuccess, Caption());
    EXPECT_EQ(English("quoddle::texts", texts::kGridHeaderName), window->StringGrid1->cell(0, 0));
    const QString report = window->list_infotel->text();
    EXPECT_TRUE(report.contains(English("quoddle::InfoReport", "Modèle : ") + QStringLiteral("Pixel 7")))
        << report.toStdString();
    EXPECT_FALSE(report.contains(QStringLiteral("Modèle"))) << report.toStdString();
    window.reset();

    Open({DevicesRule("")});
    services.clear();
    window->BtnSendClick(); // no phone selected
    ASSERT_EQ(1, services.messages().size());
    expectEnglish(texts::kNoDeviceSelected, services.messages().front());
}

// The runner and the platform layer raise their errors in French, without Qt:
// their messages, as raised, reach the error box in English.
TEST_F(EnglishProgram, ErrorsOfTheRunnerAndThePlatformReachTheUserInEnglish)
{
    std::vector<std::pair<QString, const char*>> raised; // the message, the head it starts with
    const auto raisedBy = [&](auto action, const char* head) {
        try {
            action();
            ADD_FAILURE() << "nothing raised; expected " << head;
        } catch (const std::exception& error) {
            raised.emplace_back(QString::fromUtf8(error.what()), head);
        }
    };
    const std::string missing = folder.dir() + "no-such-program";
    raisedBy([&] { ExecutableKind(missing); }, "Impossible d'ouvrir le fichier ");
    const std::string tiny = folder.dir() + "tiny";
    std::ofstream(tiny) << "abc";
    raisedBy([&] { ExecutableKind(tiny); }, "Erreur de lecture du flux");
    raised.emplace_back(QString::fromStdString(platform::SystemCallFailure(0)),
                        "Un appel à une fonction du système d'exploitation a échoué");
    raised.emplace_back(QString::fromStdString(platform::SystemCallFailure(2)), "Erreur système.  Code : ");

    for (const auto& [message, head] : raised) {
        const QString french = QString::fromUtf8(head);
        ASSERT_TRUE(message.startsWith(french)) << message.toStdString();
        const QString english = English("quoddle::CoreErrors", head);
        EXPECT_NE(french, english);
        EXPECT_EQ(english + message.mid(french.size()), TranslatedErrorMessage(message));
    }
    EXPECT_TRUE(TranslatedErrorMessage(raised[0].first).contains(QString::fromStdString(missing)));
    // A message the core does not raise is shown as it is.
    EXPECT_EQ(QStringLiteral("std::bad_alloc"), TranslatedErrorMessage(QStringLiteral("std::bad_alloc")));
}

} // namespace
