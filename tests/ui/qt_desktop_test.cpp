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
        FileDialogRequest request;
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

TEST(QtFileFiltersTest, PairsBecomeQtFilters) {
    EXPECT_EQ(
        qtFileFilters(YC_GBK("文本文本|*.txt;*.text|全部文件|*.*")),
        (QStringList{QStringLiteral("文本文本 (*.txt *.text)"), QStringLiteral("全部文件 (*.*)")}));
}

}  // namespace
}  // namespace yc::ui
