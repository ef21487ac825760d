#include "ScreenCache.h"
#include "ScreenJson.h"

#include <gtest/gtest.h>

namespace {

win::ScreenControl MakeControl(std::string className)
{
    win::ScreenControl control;
    control.id = 17045;
    control.className = std::move(className);
    control.text = L"閉じる";
    control.rect = RECT{10, 20, 110, 60};
    control.visible = true;
    control.enabled = false;
    return control;
}

TEST(ScreenJson, ControlHasTheFixedFieldsAndRectAsXYWH)
{
    nlohmann::json json = ScreenJson::Control(MakeControl("button"));
    EXPECT_EQ(json["id"], 17045);
    EXPECT_EQ(json["class"], "button");
    EXPECT_EQ(json["text"], "閉じる");
    EXPECT_EQ(json["rect"], nlohmann::json::array({10, 20, 100, 40}));
    EXPECT_EQ(json["visible"], true);
    EXPECT_EQ(json["enabled"], false);
    for (const char* absent : {"checked", "selected", "tabs", "current", "columns", "rows", "selectedRows", "value",
                               "unit", "focused"})
        EXPECT_FALSE(json.contains(absent)) << absent;
}

TEST(ScreenJson, ClassSpecificFields)
{
    win::ScreenControl check = MakeControl("checkbox");
    check.checked = false;
    EXPECT_EQ(ScreenJson::Control(check)["checked"], false);

    win::ScreenControl tab = MakeControl("tab");
    tab.tabs = {L"測定モード", L"ファイル操作"};
    tab.current = 1;
    nlohmann::json tabJson = ScreenJson::Control(tab);
    EXPECT_EQ(tabJson["tabs"], nlohmann::json::array({"測定モード", "ファイル操作"}));
    EXPECT_EQ(tabJson["current"], 1);

    win::ScreenControl list = MakeControl("listview");
    list.columns = {L"名前", L"サイズ"};
    list.rows = {{L"a.fsd", L"10"}, {L"b.fsd", L"20"}};
    list.selectedRows = {1};
    nlohmann::json listJson = ScreenJson::Control(list);
    EXPECT_EQ(listJson["columns"].size(), 2u);
    EXPECT_EQ(listJson["rows"][1], nlohmann::json::array({"b.fsd", "20"}));
    EXPECT_EQ(listJson["selectedRows"], nlohmann::json::array({1}));

    // An empty list still has its arrays.
    nlohmann::json emptyBox = ScreenJson::Control(MakeControl("listbox"));
    EXPECT_TRUE(emptyBox["rows"].is_array());
    EXPECT_TRUE(emptyBox["selectedRows"].is_array());
    EXPECT_FALSE(emptyBox.contains("columns"));

    win::ScreenControl jog = MakeControl("jog");
    jog.value = L"10.5";
    jog.unit = L"mm";
    jog.selected = true;
    nlohmann::json jogJson = ScreenJson::Control(jog);
    EXPECT_EQ(jogJson["value"], "10.5");
    EXPECT_EQ(jogJson["unit"], "mm");
    EXPECT_EQ(jogJson["selected"], true);
}

TEST(ScreenJson, ChannelPanelKeepsItsGridWidth)
{
    win::ScreenControl panel = MakeControl("channels");
    panel.rows = {{L"CH1"}, {L"CH2"}};
    panel.selectedRows = {0};
    panel.extra = {{"columns", L"6"}, {"mode", L"multiple"}, {"class", L"ignored"}};
    nlohmann::json json = ScreenJson::Control(panel);
    EXPECT_EQ(json["columns"], "6");
    EXPECT_EQ(json["mode"], "multiple");
    EXPECT_EQ(json["class"], "channels");  // an extra never overrides a fixed field
    EXPECT_EQ(json["rows"][1][0], "CH2");
}

TEST(ScreenJson, WindowsNestTheirChildren)
{
    win::ScreenWindow page;
    page.hwnd = ScreenJson::HandleFromNumber(0x10010);
    page.templateId = 17001;
    page.visible = true;
    win::ScreenWindow frame;
    frame.hwnd = ScreenJson::HandleFromNumber(0x10004);
    frame.templateId = 17000;
    frame.caption = L"システム";
    frame.modal = true;
    frame.enabled = true;
    frame.visible = true;
    frame.rect = RECT{36, 23, 603, 456};
    frame.controls.push_back(MakeControl("button"));
    frame.children.push_back(page);
    ScreenCache cache;
    nlohmann::json windows = nlohmann::json::parse(cache.Serialise({frame}));
    ASSERT_EQ(windows.size(), 1u);
    const nlohmann::json& window = windows[0];
    for (const char* key : {"hwnd", "template", "caption", "visible", "enabled", "modal", "controls", "children"})
        EXPECT_TRUE(window.contains(key)) << key;
    EXPECT_EQ(window["hwnd"], 0x10004);
    EXPECT_EQ(window["template"], 17000);
    EXPECT_EQ(window["caption"], "システム");
    EXPECT_EQ(window["rect"], nlohmann::json::array({36, 23, 567, 433}));
    EXPECT_EQ(window["controls"][0]["text"], "閉じる");
    EXPECT_EQ(window["children"][0]["template"], 17001);
    EXPECT_EQ(window["children"][0]["hwnd"], 0x10010);
    EXPECT_TRUE(window["children"][0]["controls"].is_array());
}

}  // namespace
