// A realised control's properties, read from and written to its Qt widget.
#include "ui/control.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTextCursor>
#include <QTimer>
#include <QTreeView>
#include <algorithm>

#include "ui/gbk_qt.h"
#include "ui/report_list_model.h"

namespace yc::ui {
namespace {

QString hyperlinkHtml(std::string_view caption, std::string_view address) {
    return QStringLiteral("<a href=\"%1\">%2</a>")
        .arg(toQString(address).toHtmlEscaped(), toQString(caption).toHtmlEscaped());
}

}  // namespace

Control::Control(const ControlDescription& description, QWidget* widget, QTimer* timer,
                 ReportListModel* listModel)
    : name_(description.name),
      kind_(description.kind),
      widget_(widget),
      timer_(timer),
      listModel_(listModel),
      caption_(description.caption),
      address_(description.address),
      hidden_(!description.visible),
      timerDisabled_(description.disabled),
      comboStyle_(description.comboStyle) {}

int Control::left() const {
    return widget_ ? widget_->x() : 0;
}
int Control::top() const {
    return widget_ ? widget_->y() : 0;
}
int Control::width() const {
    return widget_ ? widget_->width() : 0;
}
int Control::height() const {
    return widget_ ? widget_->height() : 0;
}

void Control::setGeometry(const Rect& rect) {
    if (widget_) {
        widget_->setGeometry(rect.left, rect.top, rect.width, rect.height);
    }
}
void Control::setLeft(int left) {
    setGeometry({left, top(), width(), height()});
}
void Control::setTop(int top) {
    setGeometry({left(), top, width(), height()});
}
void Control::setWidth(int width) {
    setGeometry({left(), top(), width, height()});
}
void Control::setHeight(int height) {
    setGeometry({left(), top(), width(), height});
}

bool Control::visible() const {
    return !hidden_;
}

void Control::setVisible(bool visible) {
    hidden_ = !visible;
    if (widget_) {
        widget_->setVisible(visible);
    }
}

bool Control::disabled() const {
    if (timer_ != nullptr) {
        return timerDisabled_;
    }
    return widget_ ? !widget_->isEnabled() : false;
}

void Control::setDisabled(bool disabled) {
    if (timer_ != nullptr) {
        timerDisabled_ = disabled;
        disabled ? timer_->stop() : timer_->start();
    } else if (widget_) {
        widget_->setEnabled(!disabled);
    }
}

const Text& Control::caption() const {
    return caption_;
}

void Control::setCaption(Text caption) {
    caption_ = std::move(caption);
    if (auto* button = qobject_cast<QAbstractButton*>(widget_)) {
        button->setText(toQStringLines(caption_));
    } else if (auto* label = qobject_cast<QLabel*>(widget_)) {
        label->setText(kind_ == ControlKind::Hyperlink ? hyperlinkHtml(caption_, address_)
                                                       : toQStringLines(caption_));
    } else if (kind_ == ControlKind::EditBox) {
        setContent(caption_);
    }
}

Text Control::content() const {
    if (auto* edit = qobject_cast<QPlainTextEdit*>(widget_)) {
        return fromQStringLines(edit->toPlainText());
    }
    return caption_;
}

void Control::setContent(std::string_view content) {
    if (auto* edit = qobject_cast<QPlainTextEdit*>(widget_)) {
        edit->setPlainText(toQStringLines(content));
    }
}

void Control::appendContent(std::string_view text) {
    if (auto* edit = qobject_cast<QPlainTextEdit*>(widget_)) {
        QTextCursor end(edit->document());
        end.movePosition(QTextCursor::End);
        end.insertText(toQStringLines(text));
    }
}

void Control::setReadOnly(bool readOnly) {
    if (auto* edit = qobject_cast<QPlainTextEdit*>(widget_)) {
        edit->setReadOnly(readOnly);
    }
}

void Control::setBothScrollBars(bool both) {
    if (auto* edit = qobject_cast<QPlainTextEdit*>(widget_)) {
        edit->setLineWrapMode(both ? QPlainTextEdit::NoWrap : QPlainTextEdit::WidgetWidth);
        edit->setHorizontalScrollBarPolicy(both ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
        edit->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    }
}

void Control::setBackground(std::optional<std::uint32_t> rgb) {
    if (!widget_) {
        return;
    }
    QPalette palette = widget_->palette();
    const QColor colour =
        rgb ? QColor::fromRgb(*rgb) : QApplication::palette().color(QPalette::Window);
    palette.setColor(QPalette::Base, colour);
    palette.setColor(QPalette::Window, colour);
    widget_->setPalette(palette);
    widget_->setAutoFillBackground(true);
}

void Control::setBold(bool bold) {
    if (widget_) {
        QFont font = widget_->font();
        font.setBold(bold);
        widget_->setFont(font);
    }
}

void Control::setDefaultButton(bool isDefault) {
    if (auto* button = qobject_cast<QPushButton*>(widget_)) {
        button->setDefault(isDefault);
        button->setAutoDefault(isDefault);
    }
}

void Control::focus() {
    if (widget_) {
        widget_->setFocus(Qt::OtherFocusReason);
    }
}

bool Control::checked() const {
    auto* button = qobject_cast<QAbstractButton*>(widget_);
    return button != nullptr && button->isChecked();
}

void Control::setChecked(bool checked) {
    if (auto* button = qobject_cast<QAbstractButton*>(widget_)) {
        button->setChecked(checked);
    }
}

void Control::setAddress(Text address) {
    address_ = std::move(address);
    if (kind_ == ControlKind::Hyperlink) {
        setCaption(caption_);
    }
}

void Control::setPicture(const QPixmap& picture) {
    if (auto* button = qobject_cast<QAbstractButton*>(widget_)) {
        button->setIcon(QIcon(picture));
        button->setIconSize(picture.size());
    }
}

int Control::currentSelection() const {
    auto* view = qobject_cast<QTreeView*>(widget_);
    if (view == nullptr || view->selectionModel() == nullptr) {
        return -1;
    }
    const QModelIndexList rows = view->selectionModel()->selectedRows();
    return rows.isEmpty() ? -1 : rows.front().row();
}

std::vector<std::size_t> Control::selectedRows() const {
    std::vector<std::size_t> selected;
    auto* view = qobject_cast<QTreeView*>(widget_);
    if (view == nullptr || view->selectionModel() == nullptr) {
        return selected;
    }
    for (const QModelIndex& index : view->selectionModel()->selectedRows()) {
        selected.push_back(static_cast<std::size_t>(index.row()));
    }
    std::sort(selected.begin(), selected.end());
    return selected;
}

}  // namespace yc::ui
