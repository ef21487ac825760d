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

// Most class fields are read through the touch-panel API and in the browser
// tests; these are not: an empty list's arrays and a jog's unit.
TEST(ScreenJson, ListsAndJogsCarryTheirOwnFields)
{
    nlohmann::json emptyBox = ScreenJson::Control(MakeControl("listbox"));
    EXPECT_TRUE(emptyBox["rows"].is_array());
    EXPECT_TRUE(emptyBox["selectedRows"].is_array());
    EXPECT_FALSE(emptyBox.contains("columns"));

    win::ScreenControl jog = MakeControl("jog");
    jog.value = L"10.5";
    jog.unit = L"mm";
    EXPECT_EQ(ScreenJson::Control(jog)["unit"], "mm");
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

// A window's own fields are read through the touch-panel API; its rectangle
// and the nesting of its child dialogs are checked here.
TEST(ScreenJson, WindowsNestTheirChildren)
{
    win::ScreenWindow page;
    page.hwnd = ScreenJson::HandleFromNumber(0x10010);
    page.templateId = 17001;
    page.visible = true;
    win::ScreenWindow frame;
    frame.hwnd = ScreenJson::HandleFromNumber(0x10004);
    frame.templateId = 17000;
    frame.enabled = true;
    frame.visible = true;
    frame.rect = RECT{36, 23, 603, 456};
    frame.controls.push_back(MakeControl("button"));
    frame.children.push_back(page);
    ScreenCache cache;
    nlohmann::json windows = nlohmann::json::parse(cache.Serialise({frame}));
    ASSERT_EQ(windows.size(), 1u);
    const nlohmann::json& window = windows[0];
    EXPECT_EQ(window["hwnd"], 0x10004);
    EXPECT_EQ(window["rect"], nlohmann::json::array({36, 23, 567, 433}));
    EXPECT_EQ(window["controls"][0]["text"], "閉じる");
    EXPECT_EQ(window["children"][0]["template"], 17001);
    EXPECT_EQ(window["children"][0]["hwnd"], 0x10010);
    EXPECT_TRUE(window["children"][0]["controls"].is_array());
}

}  // namespace
