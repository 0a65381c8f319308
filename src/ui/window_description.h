// Windows described as data: one record for the window and one per control, with the kind's own
// properties. The Qt layer realises a description at its exact pixel geometry.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "text/gbk_text.h"

namespace yc::ui {

enum class ControlKind {
    Button,
    RadioButton,
    CheckBox,
    EditBox,
    Label,
    PictureBox,     ///< a container with a background
    PictureButton,  ///< an image that can be clicked
    Hyperlink,
    Timer,
    ListView,  ///< report mode: columns of text, an icon per row
    ShapeBox,  ///< a plain container
    ComboBox,
    ListBox,
    CheckedListBox,
    ColorPicker,
    CommonDialog,  ///< a file dialog's settings; no window of its own
    TreeBox,
};

struct Rect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

struct FontDescription {
    int pixelHeight = 15;
    bool bold = false;
};

struct ColumnDescription {
    Text title;
    int width = 0;
};

struct ControlDescription {
    Text name;
    ControlKind kind = ControlKind::Label;
    Rect rect;
    Text parent;  ///< name of the containing control; empty for the window's client area
    Text caption;
    bool visible = true;
    bool disabled = false;
    bool canFocus = true;
    FontDescription font;

    bool checked = false;        ///< check box, radio button
    bool defaultButton = false;  ///< button: pressed by Enter
    bool multiLine = false;      ///< edit box
    bool readOnly = false;       ///< edit box
    bool border = true;          ///< edit box
    bool verticalScrollBar = false;
    bool horizontalScrollBar = false;
    std::optional<std::uint32_t> background;  ///< 0xRRGGBB; none keeps the system colour
    int intervalMs = 0;                       ///< timer
    int comboStyle = 0;  ///< combo box: 0 drop-down with edit, 1 simple, 2 drop-down list
    Text address;        ///< hyperlink
    std::vector<ColumnDescription> columns;  ///< list view
};

struct WindowDescription {
    Text name;
    Text title;
    int left = 0;  ///< designed position and outer size, frame included
    int top = 0;
    int outerWidth = 0;
    int outerHeight = 0;
    bool resizable = false;
    std::vector<ControlDescription> controls;  ///< in window order
};

}  // namespace yc::ui
