// How the control-state save and restore recognises a control: its kind from the start of its
// name, and the tag markers that opt it out or switch it to byte mode.
#pragma once

#include <optional>
#include <string_view>

#include "text/gbk_text.h"

namespace yc::settings {

enum class StateKind {
    Button,        ///< "按钮": its tag under name + ".标记"
    EditBox,       ///< "编辑框": its content under name
    CheckBox,      ///< "选择框": checked, a boolean under name
    RadioButton,   ///< "单选框": checked, a boolean under name
    ComboBox,      ///< "组合框": index under name (style 2) or text under name + ".内容"
    ListBox,       ///< "列表框": its item list under name
    CheckListBox,  ///< "选择列表框": its item list with check marks under name
    ColorPicker,   ///< "颜色选择器": the colour, a number under name
    CommonDialog,  ///< "通用对话框": its file name under name
    TreeBox,       ///< "树型框": the whole-tree value under name + ".列表"
};

/// The kind whose name prefix (GBK, compared byte for byte, first match in the order above)
/// starts `name`; nullopt when none does, and the control is then neither saved nor restored.
std::optional<StateKind> stateKindOf(std::string_view name);

/// A tag that is exactly "禁止保存" keeps the control out of save and restore.
bool isNoSaveTag(std::string_view tag);
/// A button or edit box tagged exactly "字节集方式" keeps its value in a byte file.
bool isByteModeTag(std::string_view tag);

/// The key suffixes of the kinds that store under name + suffix.
const Text& tagKeySuffix();         ///< ".标记" (button)
const Text& comboTextKeySuffix();   ///< ".内容" (combo box not in drop-down-list style)
const Text& comboItemsKeySuffix();  ///< ".项目" (combo box item list)
const Text& treeKeySuffix();        ///< ".列表" (tree box)

/// The combo box style whose selection index, not its edit text, is stored.
inline constexpr int kDropDownListStyle = 2;

}  // namespace yc::settings
