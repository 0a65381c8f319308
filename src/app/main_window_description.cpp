// The main window's controls as designed.
#include "app/main_window_description.h"

#include "app/control_description.h"

#include "text/charset.h"

namespace yc::app {
namespace {

using ui::ControlKind;

constexpr ui::FontDescription kLargeBoldFont{19, true};
constexpr ui::FontDescription kLinkFont{12, false};
constexpr std::uint32_t kWhite = 0xFFFFFF;
constexpr std::uint32_t kGrey = 0xC0C0C0;

}  // namespace

ui::WindowDescription mainWindowDescription() {
    ui::WindowDescription w;
    w.name = YC_GBK("主界面");
    w.title = YC_GBK("翎杉·域查灵 v1.0.3.0");
    w.left = 50;
    w.top = 50;
    w.outerWidth = 744;
    w.outerHeight = 614;
    w.resizable = false;

    auto& c = w.controls;
    const char* banner = "图片框3";
    c.push_back(describeControl(banner, ControlKind::PictureBox, {0, 0, 1000, 90}));
    c.back().background = kWhite;
    c.push_back(describeControl("标签3", ControlKind::Label, {0, 88, 1200, 2}, "", banner));
    c.back().background = kGrey;
    c.push_back(describeControl("图片翎杉软件", ControlKind::PictureButton, {104, 12, 195, 64}, "",
                                banner));
    c.push_back(describeControl("链接软件主页", ControlKind::Hyperlink, {576, 64, 64, 24},
                                "软件主页", banner));
    c.back().font = kLinkFont;
    c.push_back(
        describeControl("图片软件主页", ControlKind::PictureButton, {576, 0, 64, 64}, "", banner));
    c.push_back(describeControl("链接联系方式", ControlKind::Hyperlink, {656, 64, 64, 24},
                                "联系作者", banner));
    c.back().font = kLinkFont;
    c.back().address = "mailto:support@yuchaling.example";
    c.push_back(
        describeControl("图片联系方式", ControlKind::PictureButton, {656, 0, 64, 64}, "", banner));
    c.push_back(describeControl("链接广告", ControlKind::Hyperlink, {888, 64, 98, 24}, "翎杉工具箱",
                                banner));
    c.back().font = kLinkFont;
    c.push_back(
        describeControl("图片框广告", ControlKind::PictureButton, {904, 0, 64, 64}, "", banner));
    c.push_back(describeControl("时钟官网", ControlKind::Timer, {}, "", banner));
    c.back().intervalMs = 20;

    c.push_back(describeControl("标签1", ControlKind::Label, {8, 96, 80, 24}, "保存目标："));
    c.push_back(describeControl("按钮输入域名列表", ControlKind::Button, {336, 96, 176, 50},
                                "输入域名列表.."));
    c.back().font = kLargeBoldFont;
    c.push_back(
        describeControl("单选框未注册", ControlKind::RadioButton, {168, 96, 80, 24}, "可注册"));
    c.back().checked = true;
    c.push_back(
        describeControl("单选框已注册", ControlKind::RadioButton, {248, 96, 80, 24}, "不可注册"));
    c.push_back(describeControl("单选框全部", ControlKind::RadioButton, {96, 96, 80, 24}, "全部"));
    c.push_back(describeControl("按钮自动保存路径", ControlKind::Button, {301, 122, 24, 24}, ".."));
    c.push_back(describeControl("选择框查询时自动保存", ControlKind::CheckBox, {173, 122, 128, 24},
                                "查询时自动保存"));
    c.back().checked = true;
    c.push_back(describeControl("按钮保存查询结果", ControlKind::Button, {8, 122, 144, 24},
                                "保存查询结果"));
    c.push_back(
        describeControl("按钮开始查询", ControlKind::Button, {520, 96, 200, 50}, "开始查询"));
    c.back().font = kLargeBoldFont;
    c.push_back(describeControl("超级列表框", ControlKind::ListView, {8, 152, 712, 416}));
    c.back().columns = {{YC_GBK("域名"), 300}, {YC_GBK("可注册"), 110}};
    return w;
}

}  // namespace yc::app
