// The application pages beyond the listing: the context menu of a row and its
// actions (copy, remove, clear data, disable, enable), sorting the lists, the
// filter of the three pages, and the disabled packages learnt at refresh.

#include "AppActions.hpp"

#include "AdbArgs.hpp"
#include "FrmMain.hpp"
#include "Install.hpp"
#include "PhoneVersions.hpp"
#include "Texts.hpp"
#include "widgets/StringGrid.hpp"
#include "widgets/TextListBox.hpp"
#include "windows/OutputPane.hpp"
#include "windows/Services.hpp"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QShortcut>
#include <QTabWidget>

namespace quoddle {

namespace {

QStringList NonEmpty(const QStringList& lines)
{
    QStringList kept;
    for (const QString& line : lines)
        if (!line.trimmed().isEmpty())
            kept << line;
    return kept;
}

} // namespace

std::string RowActionArgs(RowAction action, const std::string& package, const ReleaseRules& rules)
{
    switch (action) {
    case RowAction::Remove:
        return " shell pm uninstall " + package;
    case RowAction::RemoveKeepData:
        return " shell pm uninstall -k " + package;
    case RowAction::ClearData:
        return " shell pm clear " + package;
    case RowAction::Disable:
        return std::string(" shell pm disable-user ") + (rules.userOption ? "--user 0 " : "") + package;
    case RowAction::Enable:
        return " shell pm enable " + package;
    }
    return {};
}

bool RowActionSucceeded(RowAction action, const QString& package, int exitStatus, const QStringList& lines)
{
    if (exitStatus != 0)
        return false;
    QString wanted = QStringLiteral("Success");
    if (action == RowAction::Disable)
        wanted = QStringLiteral("Package %1 new state: disabled-user").arg(package);
    else if (action == RowAction::Enable)
        wanted = QStringLiteral("Package %1 new state: enabled").arg(package);
    return std::any_of(lines.begin(), lines.end(), [&](const QString& line) { return line.trimmed() == wanted; });
}

QSet<QString> ListedPackages(const QStringList& lines)
{
    QSet<QString> names;
    for (const QString& line : lines) {
        const QString trimmed = line.trimmed();
        if (!trimmed.startsWith(QLatin1String("package:")))
            continue;
        // With -f the path comes first: the name follows the last "=".
        const qsizetype equals = trimmed.lastIndexOf(QLatin1Char('='));
        names.insert(trimmed.mid(equals < 0 ? 8 : equals + 1));
    }
    return names;
}

QString PackageOfListItem(const QString& item)
{
    const qsizetype equals = item.lastIndexOf(QLatin1Char('='));
    return equals < 0 ? QString() : item.mid(equals + 1);
}

bool IsPackageName(const QString& name)
{
    return !name.isEmpty() && std::all_of(name.begin(), name.end(), [](QChar c) {
        return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9') || c == u'_'
            || c == u'.';
    });
}

void TFrmMain::wireApplicationPages()
{
    StringGrid1->setSearchColumns({0, 2}); // the program's name and its package
    StringGrid1->setMarkText(texts::Tr(texts::kDisabledMark));
    ed_filtre->setPlaceholderText(texts::Tr(texts::kFilterPlaceholder));
    for (QAbstractItemView* view : ApplicationViews()) {
        if (auto* list = qobject_cast<TextListBox*>(view))
            list->setMarkText(texts::Tr(texts::kDisabledMark));
        view->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(view, &QWidget::customContextMenuRequested, this, [this, view](const QPoint& at) {
            Handle([this, view, at] {
                std::unique_ptr<QMenu> menu = ApplicationMenu(view);
                menu->exec(view->viewport()->mapToGlobal(at));
            });
        });
        // The keyboard reaches the actions without the menu.
        auto* copy = new QShortcut(QKeySequence::Copy, view, nullptr, nullptr, Qt::WidgetShortcut);
        connect(copy, &QShortcut::activated, this, [this, view] { CopyPackages(SelectedPackages(view)); });
    }
    auto* remove = new QShortcut(QKeySequence::Delete, StringGrid1, nullptr, nullptr, Qt::WidgetShortcut);
    connect(remove, &QShortcut::activated, this,
            [this] { Handle([this] { RunRowAction(RowAction::Remove, SelectedPackages(StringGrid1)); }); });

    auto* find = new QShortcut(QKeySequence::Find, this);
    connect(find, &QShortcut::activated, this, [this] { OpenFilter(); });
    // Escape belongs to the filter only while it is open.
    filterEscape_ = new QShortcut(QKeySequence(Qt::Key_Escape), PageControl1, nullptr, nullptr,
                                  Qt::WidgetWithChildrenShortcut);
    filterEscape_->setEnabled(false);
    connect(filterEscape_, &QShortcut::activated, this, [this] { CloseFilter(); });
    connect(ed_filtre, &QLineEdit::textChanged, this, [this](const QString& text) { ApplyFilter(text); });
}

QList<QAbstractItemView*> TFrmMain::ApplicationViews() const { return {StringGrid1, listappautre, listapplisys}; }

QStringList TFrmMain::SelectedPackages(QAbstractItemView* view) const
{
    QStringList packages;
    if (view == StringGrid1) {
        for (const int row : StringGrid1->selectedRows()) {
            const QString package = PackageOfRow(StringGrid1->cell(1, row), StringGrid1->cell(2, row));
            if (!package.trimmed().isEmpty())
                packages << package;
        }
    } else if (auto* list = qobject_cast<TextListBox*>(view)) {
        for (const int row : list->selectedRows()) {
            const QString package = PackageOfListItem(list->item(row)->text());
            if (!package.isEmpty())
                packages << package;
        }
    }
    return packages;
}

const ReleaseRules& TFrmMain::KnownRules() const
{
    const auto known = knownPhones_.find(CurrentDevice);
    return RulesForSdk(known == knownPhones_.end() || !known->second.sdk ? 0 : *known->second.sdk);
}

std::unique_ptr<QMenu> TFrmMain::ApplicationMenu(QAbstractItemView* view)
{
    auto menu = std::make_unique<QMenu>(view);
    const QStringList packages = SelectedPackages(view);
    QStringList actionable;
    for (const QString& package : packages)
        if (IsPackageName(package))
            actionable << package;
    const bool onUserPage = view == StringGrid1;
    const ReleaseRules& verbs = KnownRules();
    const bool anyDisabled = std::any_of(actionable.begin(), actionable.end(),
                                         [this](const QString& p) { return disabledPackages_.contains(p); });
    const bool anyEnabled = std::any_of(actionable.begin(), actionable.end(),
                                        [this](const QString& p) { return !disabledPackages_.contains(p); });

    const auto add = [&](const char* name, const char* caption, bool shown, bool enabled, auto&& run) {
        QAction* action = menu->addAction(texts::Tr(caption));
        action->setObjectName(QString::fromLatin1(name));
        action->setVisible(shown);
        action->setEnabled(enabled);
        connect(action, &QAction::triggered, this, [this, run] { Handle(run); });
        return action;
    };
    const auto act = [this, actionable](RowAction what) { return [this, what, actionable] { RunRowAction(what, actionable); }; };

    add("copyPackage", texts::kMenuCopyPackage, true, !packages.isEmpty(), [this, packages] { CopyPackages(packages); })
        ->setShortcut(QKeySequence::Copy);
    menu->addSeparator();
    add("remove", texts::kMenuRemove, onUserPage, !actionable.isEmpty(), act(RowAction::Remove))
        ->setShortcut(QKeySequence::Delete);
    add("removeKeepData", texts::kMenuRemoveKeepData, onUserPage, !actionable.isEmpty(), act(RowAction::RemoveKeepData));
    add("clearData", texts::kMenuClearData, onUserPage && verbs.clearData, !actionable.isEmpty(),
        act(RowAction::ClearData));
    add("disable", texts::kMenuDisable, verbs.setEnabled, anyEnabled, act(RowAction::Disable));
    add("enable", texts::kMenuEnable, verbs.setEnabled, anyDisabled, act(RowAction::Enable));
    menu->addSeparator();
    if (auto* list = qobject_cast<TextListBox*>(view)) {
        const bool hasItems = list->count() > 1;
        add("sortAscending", texts::kMenuSortAscending, true, hasItems, [list] { list->sortByText(Qt::AscendingOrder); });
        add("sortDescending", texts::kMenuSortDescending, true, hasItems,
            [list] { list->sortByText(Qt::DescendingOrder); });
    }
    add("filter", texts::kMenuFilter, true, true, [this] { OpenFilter(); })->setShortcut(QKeySequence::Find);
    return menu;
}

void TFrmMain::CopyPackages(const QStringList& packages)
{
    if (!packages.isEmpty())
        QGuiApplication::clipboard()->setText(packages.join(QLatin1Char('\n')));
}

QSet<QString> TFrmMain::PackagesShown() const
{
    QSet<QString> shown;
    for (int row = 1; row < StringGrid1->rowCount(); ++row)
        shown.insert(PackageOfRow(StringGrid1->cell(1, row), StringGrid1->cell(2, row)));
    for (const TextListBox* list : {listappautre, listapplisys})
        for (int row = 0; row < list->count(); ++row)
            shown.insert(PackageOfListItem(list->item(row)->text()));
    return shown;
}

void TFrmMain::RunRowAction(RowAction action, const QStringList& packages)
{
    if (!GuardDevice())
        return;
    QStringList sendable;
    for (const QString& package : packages)
        if (IsPackageName(package))
            sendable << package;
    if (sendable.isEmpty())
        return;
    if (CurrentDevice != listedDevice_) { // the pages show another phone's applications
        services().ShowInformation(texts::Tr(texts::kRowActionOtherPhone));
        return;
    }
    static constexpr const char* kQuestions[] = {texts::kConfirmRemove, texts::kConfirmRemoveKeepData,
                                                 texts::kConfirmClearData, texts::kConfirmDisable,
                                                 texts::kConfirmEnable};
    const int generation = listGeneration_;
    if (!services().AskYesNo(texts::Tr(kQuestions[int(action)]).arg(sendable.join(QLatin1Char('\n')))))
        return;

    // The lists may have been refreshed since the rows were chosen: a package
    // they no longer show is not sent (its row may now hold another one).
    const bool refreshedSince = generation != listGeneration_;
    const QSet<QString> shown = refreshedSince ? PackagesShown() : QSet<QString>();
    const ReleaseRules& rules = KnownRules();
    QStringList report{texts::Tr(texts::kRowActionReport)};
    QString failedCaption; // of the first package the phone did not act on
    for (const QString& package : sendable) {
        if (refreshedSince && !shown.contains(package)) {
            report << texts::Tr(texts::kRowActionNotListed).arg(package);
            continue;
        }
        AdbArgs = DeviceArg(CurrentDevice) + RowActionArgs(action, package.toStdString(), rules);
        RunCommand(AdbPath, AppDir());
        // Both streams: the old package manager prints its verdicts on standard error.
        const QStringList answer = NonEmpty(AnswerLines());
        const bool done = RowActionSucceeded(action, package, ConsoleHandler->ExitStatus(), answer);
        if (!done && lastRunSucceeded_) // exit 0, yet refused or unanswered: never the success caption
            setWindowTitle(texts::Tr(texts::kCaptionRefused));
        if (!done && failedCaption.isEmpty())
            failedCaption = windowTitle();
        if (done) {
            report << texts::Tr(texts::kRowActionDone).arg(package);
            if (action == RowAction::Disable)
                disabledPackages_.insert(package);
            else if (action == RowAction::Enable)
                disabledPackages_.remove(package);
        } else {
            report << texts::Tr(texts::kRowActionFailed)
                          .arg(package, answer.isEmpty() ? texts::Tr(texts::kRowActionNoAnswer) : answer.join(QLatin1Char('\n')));
        }
    }
    // A later package's success does not hide an earlier one's failure.
    if (!failedCaption.isEmpty())
        setWindowTitle(failedCaption);
    ApplyDisabledMarks();
    services().ShowInformation(report.join(QLatin1Char('\n')));
}

void TFrmMain::LearnPackageStates(bool askThePhone)
{
    ++listGeneration_;
    listedDevice_ = CurrentDevice;
    disabledPackages_.clear();
    if (!askThePhone) {
        ApplyDisabledMarks();
        return;
    }
    const std::optional<int> sdk = CurrentSdk(); // asked of the phone once
    if (sdk && RulesForSdk(*sdk).listDisabled) {
        AdbArgs = DeviceArg(CurrentDevice) + " shell pm list packages -d";
        RunCommand(AdbPath, AppDir());
        if (ConsoleHandler->ExitStatus() == 0)
            disabledPackages_ = ListedPackages(Memo->lines());
    }
    ApplyDisabledMarks();
}

void TFrmMain::ApplyDisabledMarks()
{
    for (int row = 1; row < StringGrid1->rowCount(); ++row)
        StringGrid1->setRowMarked(
            row, disabledPackages_.contains(PackageOfRow(StringGrid1->cell(1, row), StringGrid1->cell(2, row))));
    for (TextListBox* list : {listappautre, listapplisys})
        for (int row = 0; row < list->count(); ++row)
            list->setItemMarked(row, disabledPackages_.contains(PackageOfListItem(list->item(row)->text())));
}

void TFrmMain::OpenFilter()
{
    filterEscape_->setEnabled(true);
    ed_filtre->show();
    ed_filtre->raise();
    ed_filtre->setFocus(Qt::ShortcutFocusReason);
    ed_filtre->selectAll();
}

void TFrmMain::CloseFilter()
{
    if (!ed_filtre->isVisible() && ed_filtre->text().isEmpty())
        return;
    ed_filtre->clear(); // shows every row again
    ed_filtre->hide();
    filterEscape_->setEnabled(false);
    if (QWidget* page = PageControl1->currentWidget())
        for (QAbstractItemView* view : ApplicationViews())
            if (page->isAncestorOf(view))
                view->setFocus(Qt::OtherFocusReason);
}

void TFrmMain::ApplyFilter(const QString& text)
{
    StringGrid1->setFilter(text);
    listappautre->setFilter(text);
    listapplisys->setFilter(text);
}

} // namespace quoddle
