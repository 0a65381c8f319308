// The desktop services the engine uses (message boxes, clipboard, file dialogs, opening
// addresses and files), behind an interface so that the engine runs without a window system and
// tests can script every answer.
#pragma once

#include <optional>
#include <string_view>
#include <vector>

#include "text/gbk_text.h"

namespace yc::host {

enum class MessageButtons { Ok, OkCancel, YesNo };
enum class MessageIcon { None, Information, Warning, Error, Question };
enum class MessageAnswer { Ok, Cancel, Yes, No };

struct MessageRequest {
    Text text;
    Text caption;  ///< empty means the default caption "信息："
    MessageButtons buttons = MessageButtons::Ok;
    MessageIcon icon = MessageIcon::None;
    bool systemModal = false;
};

struct ScreenSize {
    int width = 0;
    int height = 0;
};

struct FileDialogRequest {
    Text title;
    Text filter;  ///< label|pattern pairs joined by "|", e.g. "txt文件|*.txt|全部文件|*.*"
    int filterIndex = 1;
    Text initialFolder;
};

/// A one-line question whose answer may be typed or picked from suggestions.
struct TextRequest {
    Text title;
    Text prompt;
    std::vector<Text> suggestions;  ///< offered in a drop-down; the first is filled in
};

class Desktop {
  public:
    virtual ~Desktop() = default;

    virtual MessageAnswer showMessage(const MessageRequest& request) = 0;
    /// The clipboard's plain text; nullopt when it holds none.
    virtual std::optional<Text> clipboardText() = 0;
    /// Replaces the clipboard's content; false when the clipboard cannot be written.
    virtual bool setClipboardText(std::string_view text) = 0;
    /// The chosen path, or empty when the dialog was cancelled.
    virtual Text chooseSaveFile(const FileDialogRequest& request) = 0;
    /// The answer typed or picked, or nullopt when the question was cancelled.
    virtual std::optional<Text> askText(const TextRequest& request) = 0;
    /// The chosen paths in the dialog's order; empty when cancelled.
    virtual std::vector<Text> chooseOpenFiles(const FileDialogRequest& request) = 0;
    /// Opens a web address (or a local file) with the user's default program.
    virtual void openAddress(std::string_view address) = 0;
    /// Shows `path` selected in the file manager; false when no file manager could be reached.
    virtual bool showInFileManager(std::string_view path) = 0;
    /// The primary screen's size in pixels; a desktop without a screen reports 1024 x 768.
    virtual ScreenSize screenSize() { return {1024, 768}; }
};

/// The desktop in use: the one installed, or a headless one that answers every message box with
/// its first button, holds the clipboard in memory and cancels every dialog.
Desktop& desktop();
/// Installs `d` (nullptr restores the headless desktop). The caller keeps ownership.
void installDesktop(Desktop* d);

/// The caption a message box gets when its request leaves it empty.
const Text& defaultMessageCaption();

/// Shows `message` in a box with the default caption and an OK button.
void tell(const Text& message);

}  // namespace yc::host
