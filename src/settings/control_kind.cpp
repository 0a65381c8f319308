#include "settings/control_kind.h"

#include <array>
#include <utility>

#include "text/charset.h"

namespace yc::settings {

std::optional<ControlKind> controlKindOf(std::string_view name) {
    static const std::array<std::pair<Text, ControlKind>, 10> kPrefixes{{
        {YC_GBK("按钮"), ControlKind::Button},
        {YC_GBK("编辑框"), ControlKind::EditBox},
        {YC_GBK("选择框"), ControlKind::CheckBox},
        {YC_GBK("单选框"), ControlKind::RadioButton},
        {YC_GBK("组合框"), ControlKind::ComboBox},
        {YC_GBK("列表框"), ControlKind::ListBox},
        {YC_GBK("选择列表框"), ControlKind::CheckListBox},
        {YC_GBK("颜色选择器"), ControlKind::ColorPicker},
        {YC_GBK("通用对话框"), ControlKind::CommonDialog},
        {YC_GBK("树型框"), ControlKind::TreeBox},
    }};
    for (const auto& [prefix, kind] : kPrefixes) {
        if (name.substr(0, prefix.size()) == prefix) {
            return kind;
        }
    }
    return std::nullopt;
}

bool isNoSaveTag(std::string_view tag) {
    return tag == YC_GBK("禁止保存");
}
bool isByteModeTag(std::string_view tag) {
    return tag == YC_GBK("字节集方式");
}

const Text& tagKeySuffix() {
    return YC_GBK(".标记");
}
const Text& comboTextKeySuffix() {
    return YC_GBK(".内容");
}
const Text& comboItemsKeySuffix() {
    return YC_GBK(".项目");
}
const Text& treeKeySuffix() {
    return YC_GBK(".列表");
}

}  // namespace yc::settings
