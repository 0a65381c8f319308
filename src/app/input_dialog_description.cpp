// The input dialog's controls as designed.
#include "app/input_dialog_description.h"

#include "app/control_description.h"
#include "text/charset.h"

namespace yc::app {

ui::WindowDescription inputDialogDescription() {
    using ui::ControlKind;
    ui::WindowDescription w;
    w.name = YC_GBK("输入对话框");
    w.left = 50;
    w.top = 50;
    w.outerWidth = 495;
    w.outerHeight = 393;
    w.resizable = true;

    auto& c = w.controls;
    c.push_back(describeControl("编辑框提示", ControlKind::EditBox, {13, 8, 395, 33}));
    c.back().multiLine = true;
    c.back().readOnly = true;
    c.back().border = false;
    c.back().canFocus = false;
    // The layout gives the prompt rows of 12 pixels and 6 pixels a byte: a 12-pixel font fills
    // them, where the 15-pixel one would be cut off at every row.
    c.back().font = {12, false};
    c.push_back(describeControl("编辑框正文", ControlKind::EditBox, {5, 56, 411, 168}));
    c.back().multiLine = true;
    c.back().verticalScrollBar = true;
    c.back().background = 0xFFFFFF;

    const char* bar = "外形框";
    c.push_back(describeControl(bar, ControlKind::ShapeBox, {8, 320, 336, 34}));
    c.push_back(describeControl("按钮恢复", ControlKind::Button, {0, 5, 51, 24}, "恢复", bar));
    c.push_back(describeControl("按钮清空", ControlKind::Button, {54, 5, 51, 24}, "清空", bar));
    c.push_back(describeControl("按钮粘贴", ControlKind::Button, {107, 5, 85, 24}, "粘贴", bar));
    c.push_back(describeControl("按钮文件", ControlKind::Button, {208, 5, 51, 24}, "内容", bar));
    c.back().visible = false;
    c.push_back(
        describeControl("按钮文件名", ControlKind::Button, {259, 5, 69, 24}, "文件名", bar));
    c.back().visible = false;
    c.push_back(describeControl("按钮确定", ControlKind::Button, {351, 328, 64, 24}, "确定"));
    c.back().defaultButton = true;
    c.push_back(describeControl("按钮取消", ControlKind::Button, {414, 328, 64, 24}, "取消"));
    return w;
}

}  // namespace yc::app
