// The window placement operations of SettingsStore.
#include "settings/settings_store.h"
#include "text/charset.h"

namespace yc::settings {
namespace {

Text placementSection(std::optional<std::string_view> name) {
    Text section(name.value_or(YC_GBK("主界面")));
    return section.append(YC_GBK(".尺寸"));
}

}  // namespace

void SettingsStore::SaveWindowPlacement(const WindowPlacement& window,
                                        std::optional<std::string_view> name) {
    SetSection(placementSection(name));
    WriteNumber(YC_GBK("位置"), window.showState);
    if (window.showState > 1) {
        return;
    }
    WriteNumber(YC_GBK("左边"), window.left);
    WriteNumber(YC_GBK("顶边"), window.top);
    WriteNumber(YC_GBK("宽度"), window.width);
    WriteNumber(YC_GBK("高度"), window.height);
}

WindowPlacement SettingsStore::RestoreWindowPlacement(WindowPlacement window,
                                                      std::optional<std::string_view> name) {
    SetSection(placementSection(name));
    window.showState = toInteger(ReadNumber(YC_GBK("位置"), window.showState));
    if (window.showState > 1) {
        return window;
    }
    window.left = toInteger(ReadNumber(YC_GBK("左边"), window.left));
    window.top = toInteger(ReadNumber(YC_GBK("顶边"), window.top));
    window.width = toInteger(ReadNumber(YC_GBK("宽度"), window.width));
    window.height = toInteger(ReadNumber(YC_GBK("高度"), window.height));
    return window;
}

}  // namespace yc::settings
