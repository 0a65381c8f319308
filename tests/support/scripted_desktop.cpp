#include "support/scripted_desktop.h"

#include "text/charset.h"

namespace yc::test {

ScriptedDesktop::ScriptedDesktop() {
    ui::installDesktop(this);
}

ScriptedDesktop::~ScriptedDesktop() {
    ui::installDesktop(nullptr);
}

ui::MessageAnswer ScriptedDesktop::showMessage(const ui::MessageRequest& request) {
    messages.push_back(request);
    if (onMessage) {
        onMessage(request);
    }
    if (!answers.empty()) {
        const ui::MessageAnswer answer = answers.front();
        answers.pop_front();
        return answer;
    }
    return request.buttons == ui::MessageButtons::YesNo ? ui::MessageAnswer::Yes
                                                        : ui::MessageAnswer::Ok;
}

bool ScriptedDesktop::setClipboardText(std::string_view text) {
    if (!clipboardWritable) {
        return false;
    }
    clipboard = Text(text);
    return true;
}

Text ScriptedDesktop::chooseSaveFile(const ui::FileDialogRequest& request) {
    dialogs.push_back(request);
    if (saveFileResults.empty()) {
        return {};
    }
    Text path = saveFileResults.front();
    saveFileResults.pop_front();
    return path;
}

std::vector<Text> ScriptedDesktop::chooseOpenFiles(const ui::FileDialogRequest& request) {
    dialogs.push_back(request);
    if (openFileResults.empty()) {
        return {};
    }
    std::vector<Text> paths = openFileResults.front();
    openFileResults.pop_front();
    return paths;
}

bool ScriptedDesktop::showInFileManager(std::string_view path) {
    shownFiles.emplace_back(path);
    return true;
}

std::vector<std::string> ScriptedDesktop::messageTextsUtf8() const {
    std::vector<std::string> texts;
    for (const auto& m : messages) {
        texts.push_back(text::gbkToUtf8(m.text));
    }
    return texts;
}

std::optional<Text> ScriptedDesktop::askText(const ui::TextRequest& request) {
    textQuestions.push_back(request);
    if (textAnswers.empty()) {
        return std::nullopt;
    }
    std::optional<Text> answer = textAnswers.front();
    textAnswers.pop_front();
    return answer;
}

}  // namespace yc::test
