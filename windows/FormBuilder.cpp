#include "FormBuilder.hpp"

#include "resources/Fonts.hpp"

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

void CollectTabOrder(QWidget* parent, std::vector<QWidget*>& order)
{
    std::vector<std::pair<int, QWidget*>> children;
    if (auto* pages = qobject_cast<QTabWidget*>(parent)) {
        // A page control's pages sit inside its stack; they hold controls but take no focus.
        for (int i = 0; i < pages->count(); ++i)
            CollectTabOrder(pages->widget(i), order);
    }
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
        if (tab >= 0)
            order.push_back(child);
        CollectTabOrder(child, order);
    }
}

} // namespace

void ApplyTabOrder(QWidget* root)
{
    std::vector<QWidget*> order;
    CollectTabOrder(root, order);
    for (std::size_t i = 1; i < order.size(); ++i)
        QWidget::setTabOrder(order[i - 1], order[i]);
}

} // namespace quoddle
