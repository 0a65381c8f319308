// The Qt save-file dialog as the program shows it: an existing file is only replaced after the
// user confirms it, and a name typed without an extension keeps having none.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QTimer>
#include <functional>

#include "support/temp_dir.h"
#include "text/charset.h"
#include "text/system_path.h"
#include "ui/qt_desktop.h"

namespace yc::ui {
namespace {

// Drives the modal dialogs that come up: in the file dialog it picks the next name and accepts;
// in a message box it gives the next answer. After a fixed number of turns it closes whatever
// is still open, so no test can hang.
class DialogDriver {
  public:
    DialogDriver(std::vector<QString> names, std::vector<QMessageBox::StandardButton> answers)
        : names_(std::move(names)), answers_(std::move(answers)) {
        schedule();
    }

    std::vector<QString> questions;
    /// The button texts of every message box seen, in the box's order.
    std::vector<QStringList> buttonTexts;

  private:
    void schedule() {
        QTimer::singleShot(0, &context_, [this] { turn(); });
    }

    void turn() {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal == nullptr) {
            if (++idleTurns_ < kMaxTurns) {
                schedule();
            }
            return;
        }
        if (++turns_ > kMaxTurns) {
            modal->close();
            return;
        }
        if (auto* box = qobject_cast<QMessageBox*>(modal)) {
            questions.push_back(box->text());
            QStringList texts;
            for (QAbstractButton* button : box->buttons()) {
                texts << button->text();
            }
            texts.sort();
            buttonTexts.push_back(texts);
            const auto answer = answers_.empty() ? QMessageBox::No : answers_.front();
            if (!answers_.empty()) {
                answers_.erase(answers_.begin());
            }
            schedule();
            box->button(answer)->click();
            return;
        }
        auto* dialog = qobject_cast<QFileDialog*>(modal);
        if (dialog == nullptr || names_.empty()) {
            modal->close();
            return;
        }
        dialog->selectFile(names_.front());
        names_.erase(names_.begin());
        schedule();
        // A confirmation question runs its own loop inside.
        QMetaObject::invokeMethod(dialog, "accept", Qt::DirectConnection);
    }

    static constexpr int kMaxTurns = 50;
    std::vector<QString> names_;
    std::vector<QMessageBox::StandardButton> answers_;
    QObject context_;
    int turns_ = 0;
    int idleTurns_ = 0;
};

class SaveDialogTest : public testing::Test {
  protected:
    Text choose() {
        host::FileDialogRequest request;
        request.title = YC_GBK("选择一个保存查询结果的文件地址：");
        request.filter = YC_GBK("txt文件|*.txt|csv文件|*.csv|全部文件|*.*");
        request.initialFolder = text::fromSystemPath(dir.path());
        return desktop.chooseSaveFile(request);
    }
    QString inDir(const char* name) const {
        return QString::fromStdString((dir.path() / name).string());
    }

    test::TempDir dir;
    QtDesktop desktop;
};

TEST_F(SaveDialogTest, ExistingFileIsReplacedOnlyAfterConfirmation) {
    const auto existing = dir.write("old.txt", "keep");
    DialogDriver driver({inDir("old.txt"), inDir("old.txt")}, {QMessageBox::No, QMessageBox::Yes});
    const Text chosen = choose();
    EXPECT_EQ(driver.questions.size(), 2u);
    EXPECT_EQ(chosen, text::fromSystemPath(existing));
    EXPECT_EQ(test::TempDir::read(existing), "keep");
}

TEST_F(SaveDialogTest, RefusingToReplaceAndCancellingChoosesNothing) {
    dir.write("old.txt", "keep");
    DialogDriver driver({inDir("old.txt")}, {QMessageBox::No});
    EXPECT_EQ(choose(), "");
    EXPECT_EQ(driver.questions.size(), 1u);
}

TEST_F(SaveDialogTest, NewNameIsTakenWithoutQuestionAndWithoutAddedExtension) {
    DialogDriver driver({inDir("results")}, {});
    EXPECT_EQ(choose(), text::fromSystemPath(dir.path() / "results"));
    EXPECT_TRUE(driver.questions.empty());
}

TEST(MessageBoxTest, ButtonsCarryTheChineseNamesThePromptsUse) {
    QtDesktop desktop;
    struct Case {
        host::MessageButtons buttons;
        QMessageBox::StandardButton pressed;
        host::MessageAnswer answer;
        QStringList texts;
    };
    for (const Case& c : {Case{host::MessageButtons::OkCancel,
                               QMessageBox::Cancel,
                               host::MessageAnswer::Cancel,
                               {QStringLiteral("取消"), QStringLiteral("确定")}},
                          Case{host::MessageButtons::YesNo,
                               QMessageBox::Yes,
                               host::MessageAnswer::Yes,
                               {QStringLiteral("否"), QStringLiteral("是")}},
                          Case{host::MessageButtons::Ok,
                               QMessageBox::Ok,
                               host::MessageAnswer::Ok,
                               {QStringLiteral("确定")}}}) {
        DialogDriver driver({}, {c.pressed});
        host::MessageRequest request;
        request.text = YC_GBK("请点击确定按钮，或者取消按钮退出");
        request.buttons = c.buttons;
        EXPECT_EQ(desktop.showMessage(request), c.answer);
        ASSERT_EQ(driver.buttonTexts.size(), 1u);
        EXPECT_EQ(driver.buttonTexts[0], c.texts);
    }
}

TEST(QtFileFiltersTest, PairsBecomeQtFilters) {
    EXPECT_EQ(
        qtFileFilters(YC_GBK("文本文本|*.txt;*.text|全部文件|*.*")),
        (QStringList{QStringLiteral("文本文本 (*.txt *.text)"), QStringLiteral("全部文件 (*.*)")}));
}

}  // namespace
}  // namespace yc::ui
