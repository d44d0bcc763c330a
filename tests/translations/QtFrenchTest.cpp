// Once InstallQtFrench has run, the strings that Qt itself draws come out in
// French; the expected texts are those of Qt's French catalogue.

#include "startup/Translations.hpp"

#include <QAbstractButton>
#include <QApplication>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QLocale>
#include <QMessageBox>
#include <QPushButton>
#include <QStringList>
#include <gtest/gtest.h>

#include <memory>

QT_BEGIN_NAMESPACE
inline void PrintTo(const QString& text, std::ostream* out) { *out << '"' << text.toStdString() << '"'; }
QT_END_NAMESPACE

namespace {

using quoddle::InstallQtFrench;
using quoddle::QtFrenchCatalogPath;

class QtFrenchTest : public testing::Test {
protected:
    static void SetUpTestSuite() { installed_ = InstallQtFrench(*qApp); }

    void SetUp() override
    {
        if (QtFrenchCatalogPath().isEmpty())
            GTEST_SKIP() << "qtbase_fr.qm is not installed (Debian package qt6-translations-l10n); "
                            "Qt's strings stay in English";
        ASSERT_TRUE(installed_) << "the catalogue " << QtFrenchCatalogPath().toStdString()
                                << " exists but did not load";
    }

    static inline bool installed_ = false;
};

// The visible words of a menu: no separators, no "\tCtrl+C" shortcut tails.
QStringList MenuTexts(const QMenu& menu)
{
    QStringList texts;
    for (const QAction* action : menu.actions()) {
        if (!action->isSeparator())
            texts << action->text().section(QLatin1Char('\t'), 0, 0);
    }
    return texts;
}

QString LabelText(const QWidget& parent, const char* objectName)
{
    const auto* label = parent.findChild<QLabel*>(QLatin1String(objectName));
    return label ? label->text() : QStringLiteral("<no label %1>").arg(QLatin1String(objectName));
}

TEST_F(QtFrenchTest, CatalogueComesFromQtsTranslationsFolderOrBesideTheProgram)
{
    EXPECT_TRUE(QtFrenchCatalogPath().endsWith(QStringLiteral("/qtbase_fr.qm"))) << QtFrenchCatalogPath().toStdString();
}

TEST(QtFrenchLocale, SizesAndDatesReadTheFrenchWay)
{
    InstallQtFrench(*qApp);
    EXPECT_EQ(QStringLiteral("1,5"), QLocale().toString(1.5));
    EXPECT_EQ(QStringLiteral("décembre"), QLocale().monthName(12));
}

TEST_F(QtFrenchTest, MessageBoxStandardButtonsAreFrench)
{
    QMessageBox box;
    box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel | QMessageBox::Yes | QMessageBox::No
                           | QMessageBox::Close);
    EXPECT_EQ(box.button(QMessageBox::Cancel)->text(), QStringLiteral("Annuler"));
    EXPECT_EQ(box.button(QMessageBox::Yes)->text(), QStringLiteral("&Oui"));
    EXPECT_EQ(box.button(QMessageBox::No)->text(), QStringLiteral("&Non"));
    EXPECT_EQ(box.button(QMessageBox::Close)->text(), QStringLiteral("Fermer"));
    EXPECT_EQ(box.button(QMessageBox::Ok)->text(), QStringLiteral("OK"));
}

TEST_F(QtFrenchTest, EditFieldContextMenuIsFrench)
{
    QLineEdit edit(QStringLiteral("texte"));
    edit.selectAll();
    const std::unique_ptr<QMenu> menu(edit.createStandardContextMenu());
    const QStringList english = {QStringLiteral("&Undo"), QStringLiteral("&Redo"), QStringLiteral("Cu&t"),
                                 QStringLiteral("&Copy"), QStringLiteral("&Paste"), QStringLiteral("Delete"),
                                 QStringLiteral("Select All")};
    const QStringList french = {QStringLiteral("&Annuler"), QStringLiteral("&Rétablir"), QStringLiteral("Co&uper"),
                                QStringLiteral("Cop&ier"), QStringLiteral("Co&ller"), QStringLiteral("Supprimer"),
                                QStringLiteral("Tout sélectionner")};
    EXPECT_EQ(MenuTexts(*menu), french) << "English would read " << english.join(" | ").toStdString();
}

TEST_F(QtFrenchTest, OpenDialogIsFrench)
{
    // As the program opens it to choose a package to install.
    QFileDialog dialog(nullptr, QStringLiteral("Choisir"), QString(), QStringLiteral("Applications (*.apk)"));
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);

    EXPECT_EQ(LabelText(dialog, "lookInLabel"), QStringLiteral("Voir dans :"));
    EXPECT_EQ(LabelText(dialog, "fileNameLabel"), QStringLiteral("&Nom de fichier :"));
    EXPECT_EQ(LabelText(dialog, "fileTypeLabel"), QStringLiteral("Fichiers de type :"));
    const auto* buttons = dialog.findChild<QDialogButtonBox*>(QStringLiteral("buttonBox"));
    ASSERT_NE(buttons, nullptr);
    EXPECT_EQ(buttons->button(QDialogButtonBox::Open)->text(), QStringLiteral("&Ouvrir"));
    EXPECT_EQ(buttons->button(QDialogButtonBox::Cancel)->text(), QStringLiteral("Annuler"));
}

} // namespace
