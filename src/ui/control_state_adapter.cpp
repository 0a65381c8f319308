// The adapters through which saving and restoring see a realised window's controls.
#include "ui/control_state_adapter.h"

#include <memory>

namespace yc::ui {
namespace {

using settings::StateKind;

bool sameKind(ui::ControlKind actual, settings::StateKind stored) {
    switch (stored) {
        case StateKind::Button:
            return actual == ui::ControlKind::Button;
        case StateKind::EditBox:
            return actual == ui::ControlKind::EditBox;
        case StateKind::CheckBox:
            return actual == ui::ControlKind::CheckBox;
        case StateKind::RadioButton:
            return actual == ui::ControlKind::RadioButton;
        case StateKind::ComboBox:
            return actual == ui::ControlKind::ComboBox;
        case StateKind::ListBox:
            return actual == ui::ControlKind::ListBox;
        case StateKind::CheckListBox:
            return actual == ui::ControlKind::CheckedListBox;
        case StateKind::ColorPicker:
            return actual == ui::ControlKind::ColorPicker;
        case StateKind::CommonDialog:
            return actual == ui::ControlKind::CommonDialog;
        case StateKind::TreeBox:
            return actual == ui::ControlKind::TreeBox;
    }
    return false;
}

class ControlAdapter final : public settings::StatefulControl {
  public:
    explicit ControlAdapter(Control& control) : c_(control) {}

    Text name() const override { return c_.name(); }
    Text tag() const override { return c_.tag(); }
    void setTag(std::string_view tag) override { c_.setTag(Text(tag)); }
    settings::WindowHandle parent() const override { return parentHandleOf(c_); }
    bool isKind(settings::StateKind kind) const override { return sameKind(c_.kind(), kind); }

    Text content() const override { return c_.content(); }
    void setContent(std::string_view content) override { c_.setContent(content); }
    bool checked() const override { return c_.checked(); }
    void setChecked(bool checked) override { c_.setChecked(checked); }
    int comboStyle() const override { return c_.comboStyle(); }
    int selectionIndex() const override { return c_.selectionIndex(); }
    void setSelectionIndex(int index) override { c_.setSelectionIndex(index); }
    Text editText() const override { return c_.editText(); }
    void setEditText(std::string_view text) override { c_.setEditText(text); }
    std::vector<settings::ListItem> listItems() const override { return c_.listItems(); }
    void setListItems(const std::vector<settings::ListItem>& items) override {
        c_.setListItems(items);
    }
    std::vector<settings::CheckListItem> checkListItems() const override {
        return c_.checkListItems();
    }
    void setCheckListItems(const std::vector<settings::CheckListItem>& items) override {
        c_.setCheckListItems(items);
    }
    std::vector<settings::TreeItem> treeItems() const override { return c_.treeItems(); }
    void setTreeItems(const std::vector<settings::TreeItem>& items) override {
        c_.setTreeItems(items);
    }
    // The whole tree travels as its item-list text, which the text file carries intact.
    Text treeValue() const override { return settings::treeItemsText(c_.treeItems()); }
    void setTreeValue(std::string_view value) override {
        c_.setTreeItems(settings::parseTreeItems(value));
    }
    int color() const override { return c_.color(); }
    void setColor(int rgb) override { c_.setColor(rgb); }
    Text fileName() const override { return c_.fileName(); }
    void setFileName(std::string_view fileName) override { c_.setFileName(Text(fileName)); }

  private:
    Control& c_;
};

}  // namespace

settings::WindowHandle parentHandleOf(const Control& control) {
    QWidget* widget = control.widget();
    return reinterpret_cast<settings::WindowHandle>(widget != nullptr ? widget->parentWidget()
                                                                      : nullptr);
}

Text saveRestoreRealisedWindow(settings::SettingsStore& store, Window& window, bool restore,
                               const settings::SaveRestoreOptions& options) {
    std::vector<std::unique_ptr<ControlAdapter>> adapters;
    std::vector<settings::StatefulControl*> controls;
    for (const auto& control : window.controls()) {
        if (control->widget() != nullptr) {
            adapters.push_back(std::make_unique<ControlAdapter>(*control));
            controls.push_back(adapters.back().get());
        }
    }
    return settings::SaveRestoreWindow(store, controls, restore, options);
}

settings::WindowPlacement placementOf(const Window& window) {
    constexpr int kMaximised = 3;
    constexpr int kMinimised = 2;
    const QWidget* host = window.widget();
    const int state = host->isMaximized() ? kMaximised : host->isMinimized() ? kMinimised : 0;
    return {state, window.left(), window.top(), window.width(), window.height()};
}

void applyPlacement(Window& window, const settings::WindowPlacement& placement) {
    QWidget* host = window.widget();
    switch (placement.showState) {
        case 3:
            host->setWindowState(Qt::WindowMaximized);
            return;
        case 2:
            host->setWindowState(Qt::WindowMinimized);
            return;
        default:
            host->setWindowState(Qt::WindowNoState);
            window.setOuterGeometry(placement.left, placement.top, placement.width,
                                    placement.height);
    }
}

}  // namespace yc::ui
