#include "core/options/option_names.h"

#include "core/codec/edit_rules.h"
#include "core/config/phrase.h"

namespace radio {
namespace {

struct EntryWord {
    std::string_view english;
    std::string_view chinese;
};
// The entries the printed sheet writes in Chinese; every other entry reads the same in both.
constexpr EntryWord kEntryWords[] = {
    {QT_TRANSLATE_NOOP("radio", "Off"), "关"},
    {QT_TRANSLATE_NOOP("radio", "On"), "开"},
    {QT_TRANSLATE_NOOP("radio", "Auto"), "自动"},
    {QT_TRANSLATE_NOOP("radio", "Manual"), "手动"},
    {QT_TRANSLATE_NOOP("radio", "Channel"), "信道"},
    {QT_TRANSLATE_NOOP("radio", "Frequency"), "频率"},
    {QT_TRANSLATE_NOOP("radio", "Memory"), "存储"},
};

std::string_view WithoutColon(std::string_view name) {
    while (!name.empty() && (name.back() == ':' || name.back() == ' ')) name.remove_suffix(1);
    if (name.ends_with("：")) name.remove_suffix(std::string_view("：").size());
    return name;
}

}  // namespace

const std::vector<OptionName>& OptionNames() {
    static const std::vector<OptionName> names = {
        {1119, "LED", "", "LED"},
        {1120, "Battery Saver", "", "电池省电"},
        {1121, "Keypad Lock", "", "键盘锁定"},
        {1118, "Time-Out Timer", "Time Out Timer", "超时定时器"},
        {1122, "Voice Sensitivity", "", "声控灵敏度"},
        {1123, "Priority Scan", "", "优先扫描"},
        {1124, "Channel Display", "", "信道显示"},
        {1125, "Pri-Scanning Time", "", "预扫描时间"},
        {1117, "Step", "", "步长"},
        {1130, "Call Tone", "", "呼叫铃音"},
        {1116, "Squelch Level", "", "静噪电平"},
        {1129, "Encoder", "", "编码器"},
        {1128, "Mode", "", "模式"},
        {1127, "Busy", "", "繁忙"},
        {1126, "Scan Mode", "", "扫描模式"},
        {kIdBeep, "Beep", "", "提示音"},
        {kIdPowerOnName, "Power-on Name", "", "开机名称"},
    };
    return names;
}

int FindOptionControl(std::string_view name) {
    name = WithoutColon(name);
    for (const OptionName& n : OptionNames()) {
        if (EqualsNoCase(name, n.dialog) || (!n.sheet.empty() && EqualsNoCase(name, n.sheet)) ||
            name == n.chinese)
            return n.controlId;
    }
    return 0;
}

std::string_view OptionLabel(int controlId, Language lang) {
    for (const OptionName& n : OptionNames()) {
        if (n.controlId == controlId) return Pick(lang, n.dialog, n.chinese);
    }
    return {};
}

std::string_view EntryText(std::string_view entry, Language lang) {
    for (const EntryWord& w : kEntryWords) {
        if (entry == w.english) return Pick(lang, w.english, w.chinese);
    }
    return entry;
}

int FindEntry(const OptionList& list, std::string_view value) {
    for (std::size_t k = 0; k < list.entries.size(); ++k) {
        const std::string& entry = list.entries[k];
        if (EqualsNoCase(value, entry) || value == EntryText(entry, Language::Chinese))
            return static_cast<int>(k);
    }
    return -1;
}

std::vector<std::pair<std::string, std::string>> ShownOptions(const RadioImage& image,
                                                              Language lang) {
    const OptionValues values = ReadOptions(image);
    std::vector<std::pair<std::string, std::string>> lines;
    for (const OptionList& list : OptionLists()) {
        std::string value;
        if (const std::optional<int> unlisted = UnlistedValue(image, list))
            value = UnlistedText(*unlisted, lang);
        else
            value = EntryText(list.entries[static_cast<std::size_t>(values.*list.field)], lang);
        lines.emplace_back(OptionLabel(list.id, lang), std::move(value));
    }
    lines.emplace_back(OptionLabel(kIdBeep, lang), EntryText(values.beep ? "On" : "Off", lang));
    lines.emplace_back(OptionLabel(kIdPowerOnName, lang), values.powerOnName);
    return lines;
}

}  // namespace radio
