// Message boxes, the clipboard, file dialogs and opening addresses, on Qt.
#include "ui/qt_desktop.h"

#include <QAbstractButton>
#include <QClipboard>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QInputDialog>
#include <QMessageBox>
#include <QMimeData>
#include <QScreen>
#include <QUrl>

#include "text/gbk_edit.h"
#include "ui/gbk_qt.h"

namespace yc::ui {
namespace {

QMessageBox::Icon qtIcon(host::MessageIcon icon) {
    switch (icon) {
        case host::MessageIcon::Information:
            return QMessageBox::Information;
        case host::MessageIcon::Warning:
            return QMessageBox::Warning;
        case host::MessageIcon::Error:
            return QMessageBox::Critical;
        case host::MessageIcon::Question:
            return QMessageBox::Question;
        case host::MessageIcon::None:
            break;
    }
    return QMessageBox::NoIcon;
}

QMessageBox::StandardButtons qtButtons(host::MessageButtons buttons) {
    switch (buttons) {
        case host::MessageButtons::OkCancel:
            return QMessageBox::Ok | QMessageBox::Cancel;
        case host::MessageButtons::YesNo:
            return QMessageBox::Yes | QMessageBox::No;
        case host::MessageButtons::Ok:
            break;
    }
    return QMessageBox::Ok;
}

host::MessageAnswer answerOf(int button) {
    switch (button) {
        case QMessageBox::Cancel:
            return host::MessageAnswer::Cancel;
        case QMessageBox::Yes:
            return host::MessageAnswer::Yes;
        case QMessageBox::No:
            return host::MessageAnswer::No;
        default:
            return host::MessageAnswer::Ok;
    }
}

}  // namespace

QStringList qtFileFilters(std::string_view filter) {
    const std::vector<Text> parts = text::split(filter, "|");
    QStringList filters;
    for (std::size_t i = 0; i + 1 < parts.size(); i += 2) {
        QString patterns = toQString(parts[i + 1]);
        patterns.replace(QChar(';'), QChar(' '));
        filters << QStringLiteral("%1 (%2)").arg(toQString(parts[i]), patterns);
    }
    return filters;
}

QtDesktop::QtDesktop() {
    host::installDesktop(this);
}

QtDesktop::~QtDesktop() {
    if (&host::desktop() == this) {
        host::installDesktop(nullptr);
    }
}

host::MessageAnswer QtDesktop::showMessage(const host::MessageRequest& request) {
    const Text& caption = request.caption.empty() ? host::defaultMessageCaption() : request.caption;
    QMessageBox box(qtIcon(request.icon), toQString(caption), toQStringLines(request.text),
                    qtButtons(request.buttons));
    box.setWindowModality(request.systemModal ? Qt::ApplicationModal : Qt::WindowModal);
    // The prompts name these buttons by their Chinese texts, whatever translation Qt loaded.
    for (const auto& [button, text] : {std::pair{QMessageBox::Ok, QStringLiteral("确定")},
                                       std::pair{QMessageBox::Cancel, QStringLiteral("取消")},
                                       std::pair{QMessageBox::Yes, QStringLiteral("是")},
                                       std::pair{QMessageBox::No, QStringLiteral("否")}}) {
        if (QAbstractButton* shown = box.button(button)) {
            shown->setText(text);
        }
    }
    box.exec();
    // A box that ends without a click (its loop quit as the program ends) must not pass for OK:
    // it answers as Escape would.
    if (QAbstractButton* clicked = box.clickedButton()) {
        return answerOf(box.standardButton(clicked));
    }
    return request.buttons == host::MessageButtons::OkCancel ? host::MessageAnswer::Cancel
           : request.buttons == host::MessageButtons::YesNo  ? host::MessageAnswer::No
                                                             : host::MessageAnswer::Ok;
}

std::optional<Text> QtDesktop::clipboardText() {
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    if (data == nullptr || !data->hasText()) {
        return std::nullopt;
    }
    return fromQStringLines(data->text());
}

bool QtDesktop::setClipboardText(std::string_view text) {
    QGuiApplication::clipboard()->setText(toQString(text));
    return true;
}

Text QtDesktop::chooseSaveFile(const host::FileDialogRequest& request) {
    const QStringList filters = qtFileFilters(request.filter);
    QString selected = filters.value(request.filterIndex - 1);
    // The dialog asks before an existing file is overwritten.
    const QString path = QFileDialog::getSaveFileName(owner_, toQString(request.title),
                                                      toQString(request.initialFolder),
                                                      filters.join(";;"), &selected);
    return fromQString(path);
}

std::vector<Text> QtDesktop::chooseOpenFiles(const host::FileDialogRequest& request) {
    const QStringList filters = qtFileFilters(request.filter);
    QString selected = filters.value(request.filterIndex - 1);
    const QStringList paths = QFileDialog::getOpenFileNames(owner_, toQString(request.title),
                                                            toQString(request.initialFolder),
                                                            filters.join(";;"), &selected);
    std::vector<Text> chosen;
    for (const QString& p : paths) {
        chosen.push_back(fromQString(p));
    }
    return chosen;
}

std::optional<Text> QtDesktop::askText(const host::TextRequest& request) {
    QStringList suggestions;
    for (const Text& suggestion : request.suggestions) {
        suggestions << toQString(suggestion);
    }
    bool accepted = false;
    const QString answer =
        QInputDialog::getItem(owner_, toQString(request.title), toQString(request.prompt),
                              suggestions, 0, /*editable=*/true, &accepted);
    if (!accepted) {
        return std::nullopt;
    }
    return fromQString(answer);
}

void QtDesktop::openAddress(std::string_view address) {
    QDesktopServices::openUrl(QUrl::fromUserInput(toQString(address)));
}

bool QtDesktop::showInFileManager(std::string_view path) {
    const QFileInfo file(toQString(path));
    // The desktop's file-manager interface selects the file; the path travels as a D-Bus
    // argument, never through a shell.
    QDBusMessage call = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.FileManager1"),
        QStringLiteral("/org/freedesktop/FileManager1"),
        QStringLiteral("org.freedesktop.FileManager1"), QStringLiteral("ShowItems"));
    call << QStringList{QUrl::fromLocalFile(file.absoluteFilePath()).toString()} << QString();
    const QDBusMessage reply = QDBusConnection::sessionBus().call(call, QDBus::Block, 1000);
    if (reply.type() == QDBusMessage::ReplyMessage) {
        return true;
    }
    return QDesktopServices::openUrl(QUrl::fromLocalFile(file.absolutePath()));
}

host::ScreenSize QtDesktop::screenSize() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (screen == nullptr) {
        return host::Desktop::screenSize();
    }
    return {screen->size().width(), screen->size().height()};
}

}  // namespace yc::ui
