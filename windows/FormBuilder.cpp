#include "FormBuilder.hpp"

#include "resources/Fonts.hpp"

#include <QTabBar>
#include <QTabWidget>

#include <algorithm>
#include <vector>

namespace quoddle {

void SetFont(QWidget* widget, const FontSpec& font)
{
    if (font.name)
        widget->setFont(WindowFont(QString::fromLatin1(font.name), font.pixelHeight, font.bold, font.italic,
                                   font.underline));
}

void SetSkinSection(QWidget* widget, const char* section)
{
    widget->setProperty("skinSection", QString::fromLatin1(section));
}

namespace {

// The widgets that take the focus by Tab, in the order the user visits them:
// the children of each parent by their tab place, each followed by what it
// holds. Only such leaves are chained: Qt's setTabOrder does nothing for a
// widget that takes no focus (a panel, a page, a radio group), and for a page
// control it would chain everything inside its pages along with it, cutting
// the window's tab ring in two. A page control is visited at its tab bar: the
// page control itself is taken out of the ring (Tab would otherwise stop on it
// wherever it was made, and hand the focus on to its tab bar out of turn).
void CollectFocusTargets(QWidget* parent, std::vector<QWidget*>& order)
{
    std::vector<std::pair<int, QWidget*>> children;
    for (QObject* object : parent->children()) {
        auto* child = qobject_cast<QWidget*>(object);
        if (!child || child->isWindow())
            continue;
        const QVariant tab = child->property("tabIndex");
        if (tab.isValid())
            children.emplace_back(tab.toInt(), child);
    }
    std::stable_sort(children.begin(), children.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    for (const auto& [tab, child] : children) {
        if (auto* pages = qobject_cast<QTabWidget*>(child)) {
            QTabBar* tabs = pages->tabBar();
            pages->setFocusProxy(nullptr);
            pages->setFocusPolicy(Qt::NoFocus);
            if (tab >= 0)
                order.push_back(tabs);
            for (int i = 0; i < pages->count(); ++i)
                CollectFocusTargets(pages->widget(i), order);
            continue;
        }
        if (tab >= 0) {
            if (child->focusPolicy() & Qt::TabFocus) {
                order.push_back(child);
            } else {
                // A group that takes no focus itself (a radio group): its own
                // items, in the order they were made.
                for (QObject* object : child->children()) {
                    auto* item = qobject_cast<QWidget*>(object);
                    if (item && !item->property("tabIndex").isValid() && (item->focusPolicy() & Qt::TabFocus))
                        order.push_back(item);
                }
            }
        }
        CollectFocusTargets(child, order);
    }
}

} // namespace

void ApplyTabOrder(QWidget* root)
{
    std::vector<QWidget*> order;
    CollectFocusTargets(root, order);
    for (std::size_t i = 1; i < order.size(); ++i)
        QWidget::setTabOrder(order[i - 1], order[i]);
}

} // namespace quoddle
