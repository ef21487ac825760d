#include "RequestLog.h"

#include <gtest/gtest.h>

namespace {

TEST(RequestLog, NumbersEntriesAndDecodesThemByName)
{
    RequestLog log;
    EXPECT_EQ(log.Add(DLGREQ_SETTING_CHANGED, {{L"flags", L"CHG_COMM"}}), 1u);
    EXPECT_EQ(log.Add(DLGREQ_SAVE_SETTINGS, {{L"path", L"D:\\データ\\a.env"}, {L"saved", L"1"}}), 2u);
    EXPECT_EQ(log.Add(99, {}), 3u);
    nlohmann::json json = RequestLog::ToJson(log.Since(0));
    ASSERT_EQ(json.size(), 3u);
    EXPECT_EQ(json[0]["seq"], 1);
    EXPECT_EQ(json[0]["kind"], 3);
    EXPECT_EQ(json[0]["name"], "DLGREQ_SETTING_CHANGED");
    EXPECT_EQ(json[0]["fields"]["flags"], "CHG_COMM");
    EXPECT_EQ(json[1]["fields"]["path"], "D:\\データ\\a.env");
    EXPECT_EQ(json[2]["name"], "DLGREQ_UNKNOWN");
    EXPECT_TRUE(json[2]["fields"].is_object());
    EXPECT_EQ(RequestLog::ToLine(log.Since(1).front()), "#2 DLGREQ_SAVE_SETTINGS path=D:\\データ\\a.env saved=1");
}

TEST(RequestLog, SinceSkipsWhatWasSeen)
{
    RequestLog log;
    for (int i = 0; i < 5; ++i)
        log.Add(DLGREQ_RESTART, {});
    EXPECT_EQ(log.Since(3).size(), 2u);
    EXPECT_EQ(log.Since(3).front().seq, 4u);
    EXPECT_TRUE(log.Since(5).empty());
    EXPECT_TRUE(log.Since(100).empty());
}

TEST(RequestLog, KeepsTheNewestEntriesOnly)
{
    RequestLog log;
    for (std::size_t i = 0; i < RequestLog::kMaxEntries + 10; ++i)
        log.Add(DLGREQ_SETTING_CHANGED, {});
    auto entries = log.Since(0);
    EXPECT_EQ(entries.size(), RequestLog::kMaxEntries);
    EXPECT_EQ(entries.front().seq, 11u);
    EXPECT_EQ(log.LastSeq(), RequestLog::kMaxEntries + 10);
}

TEST(RequestLog, InvalidTextBecomesValidJson)
{
    RequestLog log;
    log.Add(DLGREQ_LOAD_SETTINGS, {{L"path", std::wstring(1, static_cast<wchar_t>(0xD800))}});
    EXPECT_NO_THROW(RequestLog::ToJson(log.Since(0)).dump());
}

}  // namespace
