#include "core/codec/edit_rules.h"

#include <gtest/gtest.h>

#include "core/codec/channel_grid.h"

namespace radio {
namespace {

TEST(EditRules, ListEntriesOfEitherLanguageInAnyCase) {
    const struct {
        int col;
        const char* typed;
        Language shown;
        std::optional<std::string> expected;
    } cases[] = {
        {kColPower, "high", Language::English, "High"},
        {kColPower, "高", Language::English, "High"},
        {kColPower, "MIDDLE", Language::Chinese, "中"},
        {kColLock, "UNLOCK", Language::Chinese, "未锁定"},
        {kColScanAdd, "nO", Language::English, "No"},
        {kColBandwidth, "窄", Language::English, "Narrow"},
        {kColRxTone, "none", Language::English, "None"},
        {kColRxTone, "d023n", Language::English, "D023N"},
        {kColTxTone, "88.5", Language::Chinese, "88.5"},
        {kColTxTone, "88.4", Language::English, std::nullopt},   // not a tone of the list
        {kColPower, "Hig", Language::English, std::nullopt},     // no prefixes
        {kColRxFreq, "146.5", Language::English, std::nullopt},  // not a list column
        {kColName, "High", Language::English, std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.typed) + " in column " + std::to_string(c.col));
        EXPECT_EQ(ResolveListEntry(c.col, c.typed, c.shown), c.expected);
    }
}

TEST(EditRules, NameRuleUpperCasesAndRefusesWhatTheRadioCannotShow) {
    const struct {
        const char* typed;
        std::size_t limit;
        const char* stored;  // the name after the rule
        bool refused;
    } cases[] = {
        {"walk12", kChannelNameLength, "WALK12", false},
        {"a-b_c", kChannelNameLength, "A-B_C", false},
        {"", kChannelNameLength, "", false},
        {"toolong", kChannelNameLength, "TOOLONG", true},
        {"ab c", kChannelNameLength, "AB C", true},
        {"ab.c", kChannelNameLength, "AB.C", true},
        {"名字", kChannelNameLength, "名字", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed);
        std::string name = c.typed;
        EXPECT_EQ(CheckRadioName(name, c.limit).has_value(), c.refused);
        EXPECT_EQ(name, c.stored);
    }
}

}  // namespace
}  // namespace radio
