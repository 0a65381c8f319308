// The kind of saved state a control name asks for, and the tag markers of save and restore.
#include "settings/state_kind.h"

#include <array>
#include <utility>

#include "text/charset.h"

namespace yc::settings {

std::optional<StateKind> stateKindOf(std::string_view name) {
    static const std::array<std::pair<Text, StateKind>, 10> kPrefixes{{
        {YC_GBK("按钮"), StateKind::Button},
        {YC_GBK("编辑框"), StateKind::EditBox},
        {YC_GBK("选择框"), StateKind::CheckBox},
        {YC_GBK("单选框"), StateKind::RadioButton},
        {YC_GBK("组合框"), StateKind::ComboBox},
        {YC_GBK("列表框"), StateKind::ListBox},
        {YC_GBK("选择列表框"), StateKind::CheckListBox},
        {YC_GBK("颜色选择器"), StateKind::ColorPicker},
        {YC_GBK("通用对话框"), StateKind::CommonDialog},
        {YC_GBK("树型框"), StateKind::TreeBox},
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
