// The English catalogue of the program's texts: complete, finished, built into
// the program as committed, and true to what the code relies on in each text;
// and the choice of language from the desktop's list.

#include "Catalogue.hpp"
#include "startup/Translations.hpp"

#include <QRegularExpression>
#include <QStringList>
#include <QTranslator>
#include <gtest/gtest.h>

#include <string>

QT_BEGIN_NAMESPACE
inline void PrintTo(const QString& text, std::ostream* out) { *out << '"' << text.toStdString() << '"'; }
QT_END_NAMESPACE

namespace {

using quoddle::ChooseLanguage;
using quoddle::Language;
using quoddle::test::CatalogueMessage;

std::string Describe(const CatalogueMessage& m)
{
    return (m.context + QStringLiteral(" \"") + m.source + QStringLiteral("\" -> \"") + m.translation
            + QLatin1Char('"'))
        .toStdString();
}

std::vector<CatalogueMessage> Committed()
{
    return quoddle::test::ReadCatalogue(QStringLiteral(QUODDLE_TS_FILE));
}

struct LanguageCase {
    const char* name;
    QStringList uiLanguages;
    Language expected;
};

class LanguageChoice : public testing::TestWithParam<LanguageCase> {};

TEST_P(LanguageChoice, FirstLanguageTheProgramSpeaksElseFrench)
{
    EXPECT_EQ(GetParam().expected, ChooseLanguage(GetParam().uiLanguages)) << GetParam().uiLanguages.join(' ').toStdString();
}

INSTANTIATE_TEST_SUITE_P(Desktops, LanguageChoice, testing::Values(
    LanguageCase{"english_desktop", {"en-US", "en"}, Language::English},
    LanguageCase{"british_desktop", {"en-GB"}, Language::English},
    LanguageCase{"french_desktop", {"fr-FR", "fr"}, Language::French},
    LanguageCase{"canadian_french_before_english", {"fr-CA", "en-US"}, Language::French},
    LanguageCase{"english_before_french", {"en-GB", "fr-FR"}, Language::English},
    LanguageCase{"german_then_english", {"de-DE", "de", "en-US"}, Language::English},
    LanguageCase{"german_only", {"de-DE", "de"}, Language::French},
    LanguageCase{"c_locale", {"C"}, Language::French},
    LanguageCase{"nothing", {}, Language::French}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(EnglishCatalogue, EveryTextOfTheProgramHasAFinishedTranslation)
{
    const auto messages = Committed();
    ASSERT_FALSE(messages.empty()) << "no messages read from " << QUODDLE_TS_FILE;
    for (const CatalogueMessage& m : messages) {
        EXPECT_TRUE(m.type.isEmpty()) << m.type.toStdString() << ": " << Describe(m)
                                      << " (translate it in " << QUODDLE_TS_FILE << ")";
        EXPECT_FALSE(m.translation.isEmpty()) << Describe(m);
    }
}

TEST(EnglishCatalogue, TheProgramCarriesTheCommittedTranslations)
{
    QTranslator english;
    ASSERT_TRUE(english.load(QString::fromLatin1(quoddle::kEnglishCatalog)));
    for (const CatalogueMessage& m : Committed()) {
        EXPECT_EQ(m.translation, english.translate(m.context.toUtf8().constData(), m.source.toUtf8().constData()))
            << Describe(m);
    }
}

// The arguments of a text (%1, %2...): each one in the English as in the French.
QStringList Arguments(const QString& text)
{
    QStringList arguments;
    for (const auto& match : QRegularExpression(QStringLiteral("%\\d+")).globalMatch(text))
        arguments << match.captured();
    arguments.sort();
    return arguments;
}

// A message that ends in a line break has the command's output appended below
// it; a menu item's "&" gives it its Alt key; %1, %2... receive file names and
// counts: the English keeps them all.
TEST(EnglishCatalogue, TranslationsKeepLineBreaksMnemonicsAndArguments)
{
    for (const CatalogueMessage& m : Committed()) {
        const auto endsInBreak = [](const QString& text) { return text.endsWith(QLatin1Char('\r')); };
        EXPECT_EQ(endsInBreak(m.source), endsInBreak(m.translation)) << Describe(m);
        EXPECT_EQ(m.source.count(QLatin1Char('&')), m.translation.count(QLatin1Char('&'))) << Describe(m);
        EXPECT_EQ(Arguments(m.source), Arguments(m.translation)) << Describe(m);
    }
}

} // namespace
