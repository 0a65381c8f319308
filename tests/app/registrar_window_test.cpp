// The window program end to end: a list entered, the start button clicked, and the report rows
// read back, with the exchange talking to the registrar simulator over loopback.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QTimer>

#include <chrono>

#include "app/program.h"
#include "support/gbk_literals.h"
#include "support/registrar_sim.h"
#include "support/scripted_desktop.h"
#include "text/charset.h"
#include "text/system_path.h"
#include "ui/qt_event_pump.h"

namespace yc::app {
namespace {

using test::gbk;

class RegistrarWindowTest : public testing::Test {
  protected:
    std::unique_ptr<Program> start(const test::RegistrarSim& sim) {
        auto program = std::make_unique<Program>(
            text::fromSystemPath(dir.path()), WindowOptions{.registrar = sim.url(), .caFile = {}});
        program->mainWindow().window().control(gbk("选择框查询时自动保存")).setChecked(false);
        return program;
    }
    void run(Program& program, const Text& list) {
        ui::Window& w = program.mainWindow().window();
        w.control(gbk("按钮输入域名列表")).setTag(list);
        qobject_cast<QAbstractButton*>(w.control(gbk("按钮开始查询")).widget())->click();
    }

    test::ScriptedDesktop desktop;
    ui::QtEventPump pump;
    test::TempDir dir;
};

TEST_F(RegistrarWindowTest, RowsComeFromTheRegistrarsAnswers) {
    sim::SimOptions options;
    options.freePattern = "n[0-9]*7\\.com";
    test::RegistrarSim sim(options);
    ASSERT_TRUE(sim.started());
    auto program = start(sim);
    Text list;
    for (int i = 0; i < 120; ++i) {
        list += "http://www.n" + std::to_string(i) + ".com/page\r\n";
    }
    run(*program, list);
    EXPECT_EQ(sim.requests().size(), 3u);
    query::ReportRows& rows = program->mainWindow().rows();
    ASSERT_EQ(rows.count(), 120u);
    EXPECT_EQ(rows.cell(7, 0), "n7.com");
    EXPECT_EQ(text::gbkToUtf8(Text(rows.cell(7, 1))), "是");
    EXPECT_EQ(text::gbkToUtf8(Text(rows.cell(8, 1))), "否");
    EXPECT_EQ(desktop.messageTextsUtf8().back(), "查询完成！");
}

TEST_F(RegistrarWindowTest, RefusalPromptResendsTheSameBodyThenCancelEndsWithoutRows) {
    sim::SimOptions options;
    options.freePattern = ".*";
    options.refuseAfter = 1;
    test::RegistrarSim sim(options);
    ASSERT_TRUE(sim.started());
    auto program = start(sim);
    desktop.answers = {host::MessageAnswer::Ok, host::MessageAnswer::Cancel};
    Text list;
    for (int i = 0; i < 60; ++i) {
        list += "n" + std::to_string(i) + ".com\r\n";
    }
    run(*program, list);
    const auto requests = sim.requests();
    ASSERT_EQ(requests.size(), 3u);
    EXPECT_EQ(requests[1].body, requests[2].body);
    EXPECT_EQ(program->mainWindow().rows().count(), 50u);
}

TEST_F(RegistrarWindowTest, FailedExchangePromptsAndNeverListsRows) {
    sim::SimOptions options;
    options.fault = sim::Fault::Status500;
    test::RegistrarSim sim(options);
    ASSERT_TRUE(sim.started());
    auto program = start(sim);
    desktop.answers = {host::MessageAnswer::Ok, host::MessageAnswer::Cancel};
    run(*program, "a.com\r\nb.com");
    EXPECT_EQ(sim.requests().size(), 2u);
    EXPECT_EQ(program->mainWindow().rows().count(), 0u);
    ASSERT_GE(desktop.messages.size(), 2u);
    EXPECT_EQ(text::gbkToUtf8(desktop.messages[0].text),
              "查询失败，可能是网络问题，如需重试请点击确定按钮，或者取消按钮退出");
    EXPECT_EQ(desktop.messages[0].buttons, host::MessageButtons::OkCancel);
}

TEST_F(RegistrarWindowTest, DemoRunAnswersByItsFixedRuleAndSaysOnceThatItIsNotReal) {
    Program program(text::fromSystemPath(dir.path()),
                    WindowOptions{.registrar = {}, .caFile = {}, .demo = true});
    program.mainWindow().window().control(gbk("选择框查询时自动保存")).setChecked(false);
    run(program, "abc7.com\r\nabc.com\r\na7b.com\r\n7.cn");
    query::ReportRows& rows = program.mainWindow().rows();
    ASSERT_EQ(rows.count(), 4u);
    std::string states;
    for (std::size_t row = 0; row < rows.count(); ++row) {
        states += text::gbkToUtf8(Text(rows.cell(row, 1)));
    }
    EXPECT_EQ(states, "是否否是");
    run(program, "b7.net");
    const auto messages = desktop.messageTextsUtf8();
    ASSERT_EQ(messages.size(), 3u);
    EXPECT_NE(messages[0].find("并非真实"), std::string::npos);
    EXPECT_EQ(messages[1], "查询完成！");
    EXPECT_EQ(messages[2], "查询完成！");
    program.mainWindow().window().requestClose();
    EXPECT_EQ(test::TempDir::read(dir.path() / "翎杉·域查灵.ini").find(gbk("[连接]")),
              std::string::npos);
}

TEST_F(RegistrarWindowTest, StopClickOrCloseEndsTheExchangeInFlightAtOnce) {
    test::RegistrarSim sim(test::silentFor30Seconds());
    ASSERT_TRUE(sim.started());
    for (const bool close : {false, true}) {
        desktop.messages.clear();
        auto program = start(sim);
        ui::Window& w = program->mainWindow().window();
        auto* button = qobject_cast<QAbstractButton*>(w.control(gbk("按钮开始查询")).widget());
        QTimer::singleShot(300, button,
                           [&w, button, close] { close ? w.requestClose() : button->click(); });
        const auto started = std::chrono::steady_clock::now();
        run(*program, "a.com\r\nb.com");
        EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(3));
        EXPECT_EQ(program->mainWindow().rows().count(), 0u);
        // No failure prompt either way; a close ends without the closing message.
        EXPECT_EQ(desktop.messageTextsUtf8(),
                  close ? std::vector<std::string>{} : std::vector<std::string>{"查询完成！"});
    }
}

TEST_F(RegistrarWindowTest, WithNoRegistrarTheRegistriesAnswerAndUncheckedNamesAreOffered) {
    sim::SimOptions options;
    options.freePattern = "[^.]*7\\..*";
    options.registry.whois = true;
    test::RegistrarSim sim(options);
    ASSERT_TRUE(sim.started());
    const auto services =
        dir.write("services.tsv", sim.server().registry().servicesTable(sim.port()));
    Program program(text::fromSystemPath(dir.path()),
                    WindowOptions{.services = text::fromSystemPath(services)});
    program.mainWindow().window().control(gbk("选择框查询时自动保存")).setChecked(false);
    desktop.answers = {host::MessageAnswer::Ok, host::MessageAnswer::Yes};
    run(program, gbk("https://www.abc7.com:8443/x\r\nabc.de\r\nabc7.zz\r\nsub.abc7.co.uk\r\n"));

    query::ReportRows& rows = program.mainWindow().rows();
    ASSERT_EQ(rows.count(), 3u);
    EXPECT_EQ(rows.cell(0, 0), "abc7.com");
    EXPECT_EQ(text::gbkToUtf8(Text(rows.cell(0, 1))), "是");
    EXPECT_EQ(rows.cell(1, 0), "abc.de");
    EXPECT_EQ(text::gbkToUtf8(Text(rows.cell(1, 1))), "否");
    EXPECT_EQ(rows.cell(2, 0), "abc7.co.uk");
    EXPECT_EQ(sim.server().submissions(), 0);  // the registrar form was never posted to
    const std::vector<std::string> messages = desktop.messageTextsUtf8();
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_EQ(messages[0], "查询完成！");
    EXPECT_NE(messages[1].find("有 1 个域名无法查询"), std::string::npos) << messages[1];
    ASSERT_TRUE(desktop.clipboard.has_value());
    EXPECT_TRUE(desktop.clipboard->starts_with("abc7.zz\t")) << *desktop.clipboard;
}

}  // namespace
}  // namespace yc::app
