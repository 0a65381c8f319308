// The program's start-up and shut-down around its settings file: the first save, a restart that
// brings every persisted control back, the registrar keys, and a second instance.
#include <gtest/gtest.h>

#include <QAbstractButton>

#include "app/program.h"
#include "support/gbk_literals.h"
#include "support/scripted_desktop.h"
#include "support/temp_dir.h"
#include "text/charset.h"
#include "text/system_path.h"
#include "ui/qt_event_pump.h"

namespace yc::app {
namespace {

using test::gbk;

class ProgramTest : public testing::Test {
  protected:
    ui::Control& control(Program& p, const char* name) {
        return p.mainWindow().window().control(gbk(name));
    }
    void click(Program& p, const char* name) {
        qobject_cast<QAbstractButton*>(control(p, name).widget())->click();
    }
    std::string settingsBytes() const {
        return test::TempDir::read(dir.path() / "翎杉·域查灵.ini");
    }
    Text folder() const { return text::fromSystemPath(dir.path()); }

    test::ScriptedDesktop desktop;
    ui::QtEventPump pump;
    test::TempDir dir;
};

TEST_F(ProgramTest, FirstCloseWritesTheMainSectionInWindowOrder) {
    {
        Program program(folder(), {});
        program.show();
        program.mainWindow().window().requestClose();
    }
    const std::string expected =
        gbk("[主界面]\r\n"
            "按钮输入域名列表.标记=\r\n"
            "单选框未注册=真\r\n"
            "单选框已注册=假\r\n"
            "单选框全部=假\r\n"
            "按钮自动保存路径.标记=\r\n"
            "选择框查询时自动保存=真\r\n"
            "按钮保存查询结果.标记=\r\n"
            "按钮开始查询.标记=");
    EXPECT_EQ(settingsBytes(), expected);
}

TEST_F(ProgramTest, ARestartRestoresListFilterCheckBoxAndPath) {
    {
        Program program(folder(), {});
        program.show();
        control(program, "按钮输入域名列表").setTag("a.com\r\nb.com\r\nc.com");
        click(program, "单选框全部");
        click(program, "选择框查询时自动保存");
        control(program, "按钮自动保存路径").setTag(gbk("/tmp/结果.csv"));
        program.mainWindow().window().requestClose();
    }
    EXPECT_NE(settingsBytes().find(gbk("按钮输入域名列表.标记=a.com┊*┊b.com┊*┊c.com")),
              std::string::npos);

    Program again(folder(), {});
    again.show();
    EXPECT_EQ(control(again, "按钮输入域名列表").tag(), "a.com\r\nb.com\r\nc.com");
    EXPECT_TRUE(control(again, "单选框全部").checked());
    EXPECT_FALSE(control(again, "单选框未注册").checked());
    EXPECT_FALSE(control(again, "选择框查询时自动保存").checked());
    EXPECT_TRUE(control(again, "按钮自动保存路径").disabled());
    EXPECT_EQ(control(again, "按钮自动保存路径").tag(), gbk("/tmp/结果.csv"));
}

TEST_F(ProgramTest, RegistrarKeysAreReadOverriddenByOptionsAndKeptOnSave) {
    const std::string connection =
        gbk("[连接]\r\n查询地址=https://reg.test/domain/bulkregister_submit.php\r\n证书文件=");
    dir.write("翎杉·域查灵.ini", connection);
    {
        Program program(folder(), {});
        EXPECT_EQ(program.state().registrarEndpoint,
                  "https://reg.test/domain/bulkregister_submit.php");
        program.show();
        program.mainWindow().window().requestClose();
    }
    EXPECT_EQ(settingsBytes().substr(0, connection.size()), connection);

    Program overridden(folder(), {.registrar = Text("http://127.0.0.1:1/x"), .caFile = {}});
    EXPECT_EQ(overridden.state().registrarEndpoint, "http://127.0.0.1:1/x");
}

TEST_F(ProgramTest, UnusableCaFileIsReportedOnceAtStartUp) {
    dir.write("empty.pem", "");
    const Text path = text::fromSystemPath(dir.path() / "empty.pem");
    Program program(folder(), {.registrar = {}, .caFile = path});
    EXPECT_EQ(desktop.messageTextsUtf8(),
              std::vector<std::string>{"证书文件无法使用：" + text::gbkToUtf8(path) +
                                       "（no PEM certificate in it）"});
}

TEST_F(ProgramTest, ASecondInstanceWorksOnItsOwnCopy) {
    Program first(folder(), {});
    Program second(folder(), {});
    EXPECT_TRUE(first.state().settings.HoldsFile());
    EXPECT_FALSE(second.state().settings.HoldsFile());
}

}  // namespace
}  // namespace yc::app
