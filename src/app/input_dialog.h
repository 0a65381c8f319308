// The general multi-line input dialog: a prompt above an editable body, restore / clear / paste
// / file import helpers and OK / Cancel, modal until closed. Without an output it shows a text
// read-only instead, with only a close button.
#pragma once

#include <optional>
#include <string_view>

#include "app/app_state.h"
#include "text/gbk_text.h"

namespace yc::ui {
class Window;
}

namespace yc::app {

/// The arguments of ShowInputDialog, in their order; every one may be left out, and a left-out
/// argument is told apart from an empty or zero one.
struct InputDialogArguments {
    std::optional<Text> initialText;
    std::optional<Text> prompt;
    std::optional<Text> title;
    /// The window the dialog is modal to; none, or one that is not open, means no owner.
    ui::Window* owner = nullptr;
    /// Receives the edited text on OK; none opens the dialog display-only.
    Text* output = nullptr;
    std::optional<int> bodyInputMode;
    std::optional<bool> maximised;
    std::optional<int> bodyWidth;
    std::optional<int> bodyHeight;
    std::optional<bool> bothScrollBars;
    std::optional<int> margin;
    std::optional<int> fileButtons;
};

/// Fills the request record of `state` from `arguments`, shows the dialog modally and returns
/// true when the user pressed OK (the output then holds the text). Returns false at once when
/// the dialog is already open.
bool ShowInputDialog(AppState& state, const InputDialogArguments& arguments = {});

/// The open input dialog's window; nullptr while it is closed.
ui::Window* openInputDialog();

/// The estimated height of the prompt box for `prompt` at `width` pixels: 6 pixels a byte, rows
/// of 12 pixels, each CR LF separated piece taking at least one row.
int PromptHeight(std::string_view prompt, int width);

}  // namespace yc::app
