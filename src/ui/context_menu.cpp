// The menus are built each time they are asked for, so that an item's handler sees the control
// as it is at that moment.
#include "ui/context_menu.h"

#include <QAbstractScrollArea>
#include <QMenu>
#include <QPlainTextEdit>
#include <memory>

#include "ui/gbk_qt.h"

namespace yc::ui {

void installContextMenu(QWidget* widget, std::vector<MenuItem> items) {
    if (widget == nullptr) {
        return;
    }
    widget->setContextMenuPolicy(Qt::CustomContextMenu);
    QObject::connect(widget, &QWidget::customContextMenuRequested, widget,
                     [widget, items = std::move(items)](const QPoint& position) {
                         auto* edit = qobject_cast<QPlainTextEdit*>(widget);
                         std::unique_ptr<QMenu> menu(edit != nullptr
                                                         ? edit->createStandardContextMenu()
                                                         : new QMenu(widget));
                         if (edit != nullptr) {
                             menu->addSeparator();
                         }
                         for (const MenuItem& item : items) {
                             QObject::connect(menu->addAction(toQString(item.caption)),
                                              &QAction::triggered, widget, item.handler);
                         }
                         // A scrolling view reports the position in its viewport.
                         auto* scroll = qobject_cast<QAbstractScrollArea*>(widget);
                         const QWidget* origin = scroll != nullptr ? scroll->viewport() : widget;
                         menu->exec(origin->mapToGlobal(position));
                     });
}

}  // namespace yc::ui
