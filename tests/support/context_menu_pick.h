// Picks an item of a control's right-click menu as a user would: the menu is asked for, and the
// item captioned so is chosen from the popup once it shows.
#pragma once

#include <gtest/gtest.h>

#include <QAbstractScrollArea>
#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QTimer>
#include <algorithm>

namespace yc::test {

inline void pickContextMenuItem(QWidget* widget, const char* caption) {
    QTimer::singleShot(0, widget, [caption] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        ASSERT_NE(menu, nullptr);
        const QList<QAction*> actions = menu->actions();
        const auto item = std::find_if(actions.begin(), actions.end(), [caption](QAction* a) {
            return a->text() == QString::fromUtf8(caption);
        });
        ASSERT_NE(item, actions.end()) << caption;
        menu->close();
        (*item)->trigger();
    });
    emit widget->customContextMenuRequested(QPoint(10, 10));
}

}  // namespace yc::test
