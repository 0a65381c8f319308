#include "support/scripted_desktop.h"

#include "text/charset.h"

namespace yc::test {

ScriptedDesktop::ScriptedDesktop() {
    host::installDesktop(this);
}

ScriptedDesktop::~ScriptedDesktop() {
    host::installDesktop(nullptr);
}

host::MessageAnswer ScriptedDesktop::showMessage(const host::MessageRequest& request) {
    messages.push_back(request);
    if (onMessage) {
        onMessage(request);
    }
    if (!answers.empty()) {
        const host::MessageAnswer answer = answers.front();
        answers.pop_front();
        return answer;
    }
    return request.buttons == host::MessageButtons::YesNo ? host::MessageAnswer::Yes
                                                          : host::MessageAnswer::Ok;
}

bool ScriptedDesktop::setClipboardText(std::string_view text) {
    if (!clipboardWritable) {
        return false;
    }
    clipboard = Text(text);
    return true;
}

Text ScriptedDesktop::chooseSaveFile(const host::FileDialogRequest& request) {
    dialogs.push_back(request);
    if (saveFileResults.empty()) {
        return {};
    }
    Text path = saveFileResults.front();
    saveFileResults.pop_front();
    return path;
}

std::vector<Text> ScriptedDesktop::chooseOpenFiles(const host::FileDialogRequest& request) {
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

std::optional<Text> ScriptedDesktop::askText(const host::TextRequest& request) {
    textQuestions.push_back(request);
    if (textAnswers.empty()) {
        return std::nullopt;
    }
    std::optional<Text> answer = textAnswers.front();
    textAnswers.pop_front();
    return answer;
}

}  // namespace yc::test
