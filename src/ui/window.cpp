// Realising a window from its description, and binding its events.
#include "ui/window.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QFrame>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTextDocument>
#include <QTimer>
#include <QTreeView>
#include <QTreeWidget>
#include <cassert>
#include <stdexcept>

#include "host/desktop.h"
#include "text/charset.h"
#include "ui/caption_button.h"
#include "ui/fonts.h"
#include "ui/gbk_qt.h"
#include "ui/report_list_model.h"
#include "ui/state_icons.h"

namespace yc::ui {
namespace {

constexpr int kDropDownListStyle = 2;

// Relays one kind of mouse event on a widget to a handler.
class MouseRelay final : public QObject {
  public:
    MouseRelay(QObject* parent, QEvent::Type type, Qt::MouseButton button,
               std::function<void()> handler)
        : QObject(parent), type_(type), button_(button), handler_(std::move(handler)) {}

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == type_ && static_cast<QMouseEvent*>(event)->button() == button_) {
            handler_();
        }
        return QObject::eventFilter(watched, event);
    }

  private:
    QEvent::Type type_;
    Qt::MouseButton button_;
    std::function<void()> handler_;
};

QWidget* createEditBox(const ControlDescription& d, QWidget* parent) {
    auto* edit = new QPlainTextEdit(parent);
    edit->setReadOnly(d.readOnly);
    edit->setPlainText(toQStringLines(d.caption));
    edit->setFrameShape(d.border ? QFrame::StyledPanel : QFrame::NoFrame);
    if (!d.border) {
        // Without a border the text sits flush with the box's edges, as in a label.
        edit->document()->setDocumentMargin(0);
    }
    edit->setLineWrapMode(d.horizontalScrollBar ? QPlainTextEdit::NoWrap
                                                : QPlainTextEdit::WidgetWidth);
    edit->setVerticalScrollBarPolicy(d.verticalScrollBar ? Qt::ScrollBarAlwaysOn
                                                         : Qt::ScrollBarAlwaysOff);
    edit->setHorizontalScrollBarPolicy(d.horizontalScrollBar ? Qt::ScrollBarAlwaysOn
                                                             : Qt::ScrollBarAlwaysOff);
    return edit;
}

QWidget* createListView(const ControlDescription& d, QWidget* parent, ReportListModel*& model) {
    auto* view = new QTreeView(parent);
    model = new ReportListModel(d.columns, reportStateIcons(), view);
    view->setModel(model);
    view->setRootIsDecorated(false);
    view->setUniformRowHeights(true);
    view->setItemsExpandable(false);
    view->setAllColumnsShowFocus(true);
    view->setSelectionBehavior(QAbstractItemView::SelectRows);
    view->setSelectionMode(QAbstractItemView::ExtendedSelection);
    view->header()->setStretchLastSection(false);
    for (std::size_t i = 0; i < d.columns.size(); ++i) {
        view->setColumnWidth(static_cast<int>(i), d.columns[i].width);
    }
    return view;
}

QWidget* createWidget(const ControlDescription& d, QWidget* parent, ReportListModel*& model) {
    switch (d.kind) {
        case ControlKind::Button: {
            auto* button = new CaptionButton(toQStringLines(d.caption), parent);
            button->setDefault(d.defaultButton);
            button->setAutoDefault(d.defaultButton);
            return button;
        }
        case ControlKind::RadioButton: {
            auto* radio = new QRadioButton(toQString(d.caption), parent);
            radio->setChecked(d.checked);
            return radio;
        }
        case ControlKind::CheckBox: {
            auto* check = new QCheckBox(toQString(d.caption), parent);
            check->setChecked(d.checked);
            return check;
        }
        case ControlKind::EditBox:
            return createEditBox(d, parent);
        case ControlKind::Label:
            return new QLabel(toQStringLines(d.caption), parent);
        case ControlKind::Hyperlink: {
            auto* link = new QLabel(parent);
            link->setTextFormat(Qt::RichText);
            link->setAlignment(Qt::AlignCenter);
            link->setCursor(Qt::PointingHandCursor);
            // The link opens its own address: the hyperlink's built-in behaviour.
            QObject::connect(link, &QLabel::linkActivated, link, [](const QString& href) {
                host::desktop().openAddress(fromQString(href));
            });
            return link;
        }
        case ControlKind::PictureButton: {
            auto* button = new QPushButton(parent);
            button->setFlat(true);
            button->setCursor(Qt::PointingHandCursor);
            button->setStyleSheet(
                QStringLiteral("QPushButton{border:none;background:transparent}"));
            return button;
        }
        case ControlKind::PictureBox:
        case ControlKind::ShapeBox:
            return new QFrame(parent);
        case ControlKind::ListView:
            return createListView(d, parent, model);
        case ControlKind::ComboBox: {
            auto* combo = new QComboBox(parent);
            combo->setEditable(d.comboStyle != kDropDownListStyle);
            return combo;
        }
        case ControlKind::ListBox:
        case ControlKind::CheckedListBox:
            return new QListWidget(parent);
        case ControlKind::ColorPicker:
            return new QPushButton(parent);
        case ControlKind::TreeBox: {
            auto* tree = new QTreeWidget(parent);
            tree->setHeaderHidden(true);
            return tree;
        }
        case ControlKind::Timer:
        case ControlKind::CommonDialog:
            return nullptr;
    }
    return nullptr;
}

}  // namespace

HostWidget::HostWidget(Window& window, QWidget* owner) : QDialog(owner), window_(window) {
    setSizeGripEnabled(false);
}

void HostWidget::closeEvent(QCloseEvent* event) {
    if (window_.handleCloseRequest()) {
        event->accept();
        window_.open_ = false;
    } else {
        event->ignore();
    }
}

void HostWidget::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    window_.handleResize();
}

void HostWidget::reject() {
    // A dialog shown modally closes on Escape like on its close button; a main window does not.
    if (window_.modal_) {
        close();
    }
}

Window::Window(const WindowDescription& description, QWidget* owner)
    : name_(description.name), host_(std::make_unique<HostWidget>(*this, owner)) {
    host_->setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    if (owner == nullptr) {
        host_->setWindowFlag(Qt::Window, true);
    }
    setTitle(description.title);
    build(description);
    setOuterGeometry(description.left, description.top, description.outerWidth,
                     description.outerHeight);
    if (!description.resizable) {
        host_->setFixedSize(host_->size());
    }
}

Window::~Window() {
    destroying_ = true;
    controls_.clear();
    host_.reset();
}

void Window::build(const WindowDescription& description) {
    for (const ControlDescription& d : description.controls) {
        QWidget* parent = host_.get();
        if (!d.parent.empty()) {
            Control* container = findControl(d.parent);
            assert(container != nullptr && container->widget() != nullptr);
            parent = container->widget();
        }
        ReportListModel* model = nullptr;
        QWidget* widget = createWidget(d, parent, model);
        QTimer* timer = nullptr;
        if (d.kind == ControlKind::Timer) {
            timer = new QTimer(host_.get());
            timer->setInterval(d.intervalMs);
        } else if (widget != nullptr) {
            widget->setFont(designFont(d.font));
            widget->setGeometry(d.rect.left, d.rect.top, d.rect.width, d.rect.height);
            widget->setEnabled(!d.disabled);
            widget->setVisible(d.visible);
            widget->setFocusPolicy(d.canFocus ? widget->focusPolicy() : Qt::NoFocus);
        }
        auto control = std::make_unique<Control>(d, widget, timer, model);
        if (d.kind == ControlKind::Hyperlink) {
            control->setCaption(d.caption);
        }
        if (d.background) {
            control->setBackground(d.background);
        }
        index_.emplace(d.name, controls_.size());
        controls_.push_back(std::move(control));
    }
}

Control* Window::findControl(std::string_view name) const {
    const auto it = index_.find(Text(name));
    return it == index_.end() ? nullptr : controls_[it->second].get();
}

Control& Window::control(std::string_view name) const {
    Control* found = findControl(name);
    if (found == nullptr) {
        // A misspelt name is a programming error; it must not become a null dereference.
        throw std::logic_error("control missing from the window description: " +
                               text::gbkToUtf8(name));
    }
    return *found;
}

void Window::bind(std::string_view controlName, ControlEvent event, std::function<void()> handler) {
    Control& target = control(controlName);
    QWidget* widget = target.widget();
    switch (event) {
        case ControlEvent::Clicked:
            if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
                QObject::connect(button, &QAbstractButton::clicked, button,
                                 [h = std::move(handler)] { h(); });
            }
            break;
        case ControlEvent::Tick:
            if (QTimer* timer = target.timer()) {
                QObject::connect(timer, &QTimer::timeout, timer, [h = std::move(handler)] { h(); });
            }
            break;
        case ControlEvent::DoubleClicked:
        case ControlEvent::RightButtonPressed: {
            const bool dbl = event == ControlEvent::DoubleClicked;
            auto* scroll = qobject_cast<QAbstractScrollArea*>(widget);
            QObject* watched = scroll != nullptr ? scroll->viewport() : widget;
            watched->installEventFilter(new MouseRelay(
                watched, dbl ? QEvent::MouseButtonDblClick : QEvent::MouseButtonPress,
                dbl ? Qt::LeftButton : Qt::RightButton, std::move(handler)));
            break;
        }
    }
}

void Window::runCreated() {
    if (!createdRun_) {
        createdRun_ = true;
        for (const auto& c : controls_) {
            if (QTimer* timer = c->timer(); timer != nullptr && !c->disabled()) {
                timer->start();
            }
        }
        if (created_) {
            created_();
        }
    }
}

void Window::show() {
    open_ = true;
    runCreated();
    host_->show();
}

void Window::showModal() {
    open_ = true;
    modal_ = true;
    runCreated();
    host_->setWindowModality(Qt::ApplicationModal);
    host_->exec();
    open_ = false;
}

void Window::requestClose() {
    host_->close();
}

void Window::destroy() {
    const auto handler = std::move(closeRequested_);
    closeRequested_ = nullptr;
    host_->close();
    closeRequested_ = handler;
}

bool Window::handleCloseRequest() {
    if (destroying_ || !closeRequested_) {
        return true;
    }
    return closeRequested_();
}

void Window::handleResize() {
    if (resized_ && !destroying_) {
        resized_();
    }
}

void Window::setTitle(Text title) {
    title_ = std::move(title);
    host_->setWindowTitle(toQString(title_));
}

bool Window::maximised() const {
    return host_->isMaximized();
}

void Window::setMaximised(bool maximised) {
    // A window not shown yet opens in the state set here.
    const Qt::WindowStates state = host_->windowState();
    host_->setWindowState(maximised ? state | Qt::WindowMaximized : state & ~Qt::WindowMaximized);
}

int Window::left() const {
    return host_->x();
}
int Window::top() const {
    return host_->y();
}
int Window::width() const {
    return host_->width() + kFrameWidth;
}
int Window::height() const {
    return host_->height() + kFrameHeight;
}
int Window::clientWidth() const {
    return host_->width();
}
int Window::clientHeight() const {
    return host_->height();
}

void Window::setOuterGeometry(int left, int top, int width, int height) {
    host_->move(left, top);
    host_->resize(std::max(0, width - kFrameWidth), std::max(0, height - kFrameHeight));
}

}  // namespace yc::ui
