// The properties of the list-like controls: combo box, list box, checked list box, tree box,
// colour picker.
#include <QComboBox>
#include <QListWidget>
#include <QPushButton>
#include <QTreeWidget>

#include "ui/control.h"
#include "ui/gbk_qt.h"

namespace yc::ui {
namespace {

enum ItemRole : int {
    kValueRole = Qt::UserRole,
    kImageRole,
    kSelectedImageRole,
    kStateImageRole,
};

int valueOf(const QVariant& v) {
    return v.toInt();
}

void collectTree(QTreeWidgetItem* item, int parent, std::vector<settings::TreeItem>& out) {
    settings::TreeItem entry;
    entry.parent = parent;
    entry.text = fromQString(item->text(0));
    entry.image = item->data(0, kImageRole).toInt();
    entry.selectedImage = item->data(0, kSelectedImageRole).toInt();
    entry.value = item->data(0, kValueRole).toInt();
    entry.bold = item->font(0).bold();
    entry.stateImage =
        item->data(0, kStateImageRole).isValid() ? item->data(0, kStateImageRole).toInt() : -1;
    entry.expanded = item->isExpanded();
    const int self = static_cast<int>(out.size());
    out.push_back(entry);
    for (int i = 0; i < item->childCount(); ++i) {
        collectTree(item->child(i), self, out);
    }
}

}  // namespace

int Control::selectionIndex() const {
    auto* combo = qobject_cast<QComboBox*>(widget_);
    return combo != nullptr ? combo->currentIndex() : -1;
}

void Control::setSelectionIndex(int index) {
    if (auto* combo = qobject_cast<QComboBox*>(widget_)) {
        combo->setCurrentIndex(index >= 0 && index < combo->count() ? index : -1);
    }
}

Text Control::editText() const {
    auto* combo = qobject_cast<QComboBox*>(widget_);
    return combo != nullptr ? fromQString(combo->currentText()) : Text();
}

void Control::setEditText(std::string_view text) {
    auto* combo = qobject_cast<QComboBox*>(widget_);
    if (combo == nullptr) {
        return;
    }
    if (combo->isEditable()) {
        combo->setEditText(toQString(text));
    } else {
        combo->setCurrentIndex(combo->findText(toQString(text)));
    }
}

std::vector<settings::ListItem> Control::listItems() const {
    std::vector<settings::ListItem> items;
    if (auto* combo = qobject_cast<QComboBox*>(widget_)) {
        for (int i = 0; i < combo->count(); ++i) {
            items.push_back({fromQString(combo->itemText(i)), valueOf(combo->itemData(i))});
        }
    } else if (auto* list = qobject_cast<QListWidget*>(widget_)) {
        for (int i = 0; i < list->count(); ++i) {
            const QListWidgetItem* item = list->item(i);
            items.push_back({fromQString(item->text()), valueOf(item->data(kValueRole))});
        }
    }
    return items;
}

void Control::setListItems(const std::vector<settings::ListItem>& items) {
    if (auto* combo = qobject_cast<QComboBox*>(widget_)) {
        combo->clear();
        for (const auto& item : items) {
            combo->addItem(toQString(item.text), item.value);
        }
    } else if (auto* list = qobject_cast<QListWidget*>(widget_)) {
        list->clear();
        for (const auto& item : items) {
            auto* entry = new QListWidgetItem(toQString(item.text), list);
            entry->setData(kValueRole, item.value);
        }
    }
}

std::vector<settings::CheckListItem> Control::checkListItems() const {
    std::vector<settings::CheckListItem> items;
    if (auto* list = qobject_cast<QListWidget*>(widget_)) {
        for (int i = 0; i < list->count(); ++i) {
            const QListWidgetItem* item = list->item(i);
            items.push_back({fromQString(item->text()), valueOf(item->data(kValueRole)),
                             item->checkState() == Qt::Checked});
        }
    }
    return items;
}

void Control::setCheckListItems(const std::vector<settings::CheckListItem>& items) {
    if (auto* list = qobject_cast<QListWidget*>(widget_)) {
        list->clear();
        for (const auto& item : items) {
            auto* entry = new QListWidgetItem(toQString(item.text), list);
            entry->setData(kValueRole, item.value);
            entry->setFlags(entry->flags() | Qt::ItemIsUserCheckable);
            entry->setCheckState(item.checked ? Qt::Checked : Qt::Unchecked);
        }
    }
}

std::vector<settings::TreeItem> Control::treeItems() const {
    std::vector<settings::TreeItem> items;
    if (auto* tree = qobject_cast<QTreeWidget*>(widget_)) {
        for (int i = 0; i < tree->topLevelItemCount(); ++i) {
            collectTree(tree->topLevelItem(i), -1, items);
        }
    }
    return items;
}

void Control::setTreeItems(const std::vector<settings::TreeItem>& items) {
    auto* tree = qobject_cast<QTreeWidget*>(widget_);
    if (tree == nullptr) {
        return;
    }
    tree->clear();
    std::vector<QTreeWidgetItem*> added;
    for (const auto& item : items) {
        // A parent index must name an item added before this one; otherwise it goes on top.
        QTreeWidgetItem* parent =
            item.parent >= 0 && static_cast<std::size_t>(item.parent) < added.size()
                ? added[static_cast<std::size_t>(item.parent)]
                : nullptr;
        auto* entry = parent != nullptr ? new QTreeWidgetItem(parent) : new QTreeWidgetItem(tree);
        entry->setText(0, toQString(item.text));
        entry->setData(0, kValueRole, item.value);
        entry->setData(0, kImageRole, item.image);
        entry->setData(0, kSelectedImageRole, item.selectedImage);
        if (item.stateImage >= 0) {
            entry->setData(0, kStateImageRole, item.stateImage);
        }
        QFont font = entry->font(0);
        font.setBold(item.bold);
        entry->setFont(0, font);
        entry->setExpanded(item.expanded);
        added.push_back(entry);
    }
}

void Control::setColor(int rgb) {
    color_ = rgb;
    if (auto* button = qobject_cast<QPushButton*>(widget_)) {
        button->setStyleSheet(QStringLiteral("background-color: %1")
                                  .arg(QColor::fromRgb(static_cast<QRgb>(rgb)).name()));
    }
}

}  // namespace yc::ui
