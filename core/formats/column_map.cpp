#include "core/formats/column_map.h"

#include <algorithm>

#include "core/codec/channel_codec.h"
#include "core/codec/decimal.h"
#include "core/codec/edit_rules.h"
#include "core/formats/channel_entry.h"
#include "core/formats/sha256.h"
#include "core/formats/text_encoding.h"

namespace radio {

namespace {

using formats::Shown;

struct FieldInfo {
    std::string_view key;
    // Header names that suggest the field, after Normalized(), best first.
    std::vector<std::string_view> names;
};

const std::array<FieldInfo, kMapFieldCount>& Fields() {
    static const std::array<FieldInfo, kMapFieldCount> fields = {{
        {"loc", {"channel", "ch", "chan", "kanal", "memory", "mem", "no", "nr"}},
        {"rx",
         {"outputfreq", "output", "outputfrequency", "rxfreq", "rxfrequency", "rx", "receive",
          "receivefrequency", "receivefreq", "frequency", "freq", "downlink", "frequenz", "qrg"}},
        {"tx",
         {"inputfreq", "input", "inputfrequency", "txfreq", "txfrequency", "tx", "transmit",
          "transmitfrequency", "transmitfreq", "uplink", "sendefrequenz"}},
        {"offset", {"offset", "shift", "ablage", "txoffset", "repeateroffset"}},
        {"duplex", {"duplex", "direction", "offsetdirection", "shiftdirection"}},
        {"txtone",
         {"uplinktone", "txtone", "tone", "pl", "pltone", "ctcss", "txctcss", "ctcsstx", "encode",
          "subton", "accesstone", "ctcssdcs", "tonefreq"}},
        {"rxtone",
         {"downlinktone", "rxtone", "rxctcss", "ctcssrx", "decode", "tsql", "tonesquelch"}},
        {"dcs", {"dcs", "dcscode", "dtcs", "dtcscode"}},
        {"power", {"power", "pwr", "txpower", "powerlevel", "leistung"}},
        {"bandwidth", {"bandwidth", "bw", "width", "channelwidth", "bandbreite"}},
        {"mode", {"modes", "mode", "emission", "modulation", "betriebsart"}},
        {"scan", {"scan", "scanadd", "skip"}},
        {"name",
         {"call", "callsign", "name", "alphatag", "description", "label", "rufzeichen",
          "bezeichnung", "location"}},
    }};
    return fields;
}

// A header name as the guesses compare it: lower case letters and digits only, units in
// brackets dropped ("RX Freq (MHz)" -> "rxfreq").
std::string Normalized(std::string_view name) {
    std::string out;
    int depth = 0;
    for (char c : name) {
        if (c == '(' || c == '[') ++depth;
        if (c == ')' || c == ']') depth = std::max(0, depth - 1);
        if (depth > 0) continue;
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
        if ((c >= 'a' && c <= 'z') || (c >= '0' && c <= '9')) out += c;
    }
    return out;
}

std::string Lower(std::string_view text) {
    std::string out(text);
    for (char& c : out)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return out;
}

bool BlankRecord(const TextRecord& record) {
    return std::all_of(record.fields.begin(), record.fields.end(),
                       [](const std::string& f) { return TrimBlanks(f).empty(); });
}

// A number as spreadsheets of any country write it: "439,250" is 439.250 when it has no point.
std::string PlainNumber(std::string_view text) {
    std::string out(TrimBlanks(text));
    if (out.find('.') == std::string::npos && std::count(out.begin(), out.end(), ',') == 1)
        std::replace(out.begin(), out.end(), ',', '.');
    return out;
}

// A frequency or offset magnitude with an optional unit ("145.5", "145.5 MHz", "600 kHz"),
// in Hz.
std::optional<std::int64_t> ParseHz(std::string_view text) {
    std::string t = Lower(TrimBlanks(text));
    int decimals = 6;  // MHz
    for (auto [unit, d] :
         {std::pair{"mhz", 6}, std::pair{"khz", 3}, std::pair{"k", 3}, std::pair{"m", 6}}) {
        if (t.size() > std::string_view(unit).size() && t.ends_with(unit)) {
            t.resize(t.size() - std::string_view(unit).size());
            decimals = d;
            break;
        }
    }
    return ParseScaledDecimal(PlainNumber(t), decimals);
}

bool StartsWithNoCase(std::string_view text, std::string_view prefix) {
    return text.size() >= prefix.size() && EqualsNoCase(text.substr(0, prefix.size()), prefix);
}

}  // namespace

std::string_view MapFieldKey(MapField field) {
    return Fields()[static_cast<std::size_t>(field)].key;
}

char DetectDelimiter(std::string_view line) {
    int comma = 0, semicolon = 0, tab = 0;
    bool quoted = false;
    for (char c : line) {
        if (c == '"') quoted = !quoted;
        if (quoted) continue;
        comma += c == ',';
        semicolon += c == ';';
        tab += c == '\t';
    }
    if (tab > comma && tab >= semicolon) return '\t';
    if (semicolon > comma) return ';';
    return ',';
}

DelimitedTable ReadDelimitedTable(std::string_view bytes) {
    DelimitedTable table;
    std::string utf8;
    if (Utf16ByteOrder(bytes)) {
        if (table.status = Utf16ToUtf8(bytes, utf8); !table.status) return table;
        bytes = utf8;
    }
    if (bytes.starts_with("\xEF\xBB\xBF")) bytes.remove_prefix(3);
    // The header is the first line with something on it.
    std::string_view head = bytes;
    while (!head.empty()) {
        const std::size_t end = head.find_first_of("\r\n");
        if (!TrimBlanks(head.substr(0, end)).empty()) {
            head = head.substr(0, end);
            break;
        }
        head = end == std::string_view::npos ? std::string_view() : head.substr(end + 1);
    }
    table.delimiter = DetectDelimiter(head);
    SplitText split = SplitDelimited(bytes, table.delimiter);
    table.unclosedQuoteLine = split.unclosedQuoteLine;
    auto record = split.records.begin();
    while (record != split.records.end() && BlankRecord(*record)) ++record;
    if (record == split.records.end()) {
        table.status = Status::Error("the file is empty: it holds no channel list");
        return table;
    }
    table.header = std::move(*record);
    for (std::string& name : table.header.fields) name = std::string(TrimBlanks(name));
    table.records.assign(std::make_move_iterator(record + 1),
                         std::make_move_iterator(split.records.end()));
    return table;
}

HeaderShape ShapeOfHeader(const DelimitedTable& table) {
    const std::vector<std::string>& h = table.header.fields;
    const auto has = [&](std::string_view name) {
        return std::any_of(h.begin(), h.end(),
                           [&](const std::string& f) { return EqualsNoCase(f, name); });
    };
    if (table.delimiter == ',' && has("Location") && has("Frequency")) return HeaderShape::Known;
    if (!h.empty() && (h[0] == ChannelGrid::Heading(0, Language::English) ||
                       h[0] == ChannelGrid::Heading(0, Language::Chinese)))
        return HeaderShape::Known;
    // The two header shapes of the directory's free download.
    static const std::vector<std::vector<std::string_view>> kDirectory = {
        {"Output Freq", "Input Freq", "Offset", "Uplink Tone", "Downlink Tone"},
        {"Freq", "Input", "Offset", "Tone", "Location"},
    };
    for (const auto& shape : kDirectory) {
        if (h.size() < shape.size()) continue;
        if (std::equal(shape.begin(), shape.end(), h.begin(),
                       [](std::string_view a, const std::string& b) { return EqualsNoCase(a, b); }))
            return HeaderShape::Directory;
    }
    return h.size() < 2 ? HeaderShape::NotATable : HeaderShape::Unknown;
}

ColumnMap GuessColumnMap(const std::vector<std::string>& header) {
    std::vector<std::string> names;
    for (const std::string& h : header) names.push_back(Normalized(h));
    std::vector<bool> used(header.size(), false);
    ColumnMap map;
    // Frequencies first: "Tone" or "Location" must not take what a better field names.
    for (int f : {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 0, 12}) {
        for (std::string_view wanted : Fields()[static_cast<std::size_t>(f)].names) {
            const auto it = std::find(names.begin(), names.end(), wanted);
            const auto i = static_cast<std::size_t>(it - names.begin());
            if (it != names.end() && !used[i]) {
                map.column[static_cast<std::size_t>(f)] = static_cast<int>(i);
                used[i] = true;
                break;
            }
        }
    }
    return map;
}

Status ParseColumnMap(std::string_view text, const std::vector<std::string>& header,
                      ColumnMap& out) {
    ColumnMap map;
    std::size_t start = 0;
    while (start <= text.size()) {
        const std::size_t end = std::min(text.find(',', start), text.size());
        const std::string_view item = TrimBlanks(text.substr(start, end - start));
        start = end + 1;
        if (item.empty()) continue;
        const std::size_t eq = item.find('=');
        if (eq == std::string_view::npos)
            return Status::Error("'" + Shown(item).English() + "' is not FIELD=COLUMN");
        const std::string_view key = TrimBlanks(item.substr(0, eq));
        const std::string_view column = TrimBlanks(item.substr(eq + 1));
        int field = -1;
        for (int f = 0; f < kMapFieldCount; ++f)
            if (EqualsNoCase(key, Fields()[static_cast<std::size_t>(f)].key)) field = f;
        if (field < 0) {
            std::string keys;
            for (const FieldInfo& info : Fields())
                keys += (keys.empty() ? "" : ", ") + std::string(info.key);
            return Status::Error("unknown field '" + Shown(key).English() + "' (the fields are " +
                                 keys + ")");
        }
        int index = -1;
        for (std::size_t i = 0; i < header.size() && index < 0; ++i)
            if (EqualsNoCase(TrimBlanks(header[i]), column)) index = static_cast<int>(i);
        if (index < 0 && column.starts_with('#')) {
            if (auto n = formats::ParseLocation(column.substr(1));
                n && *n >= 1 && static_cast<std::size_t>(*n) <= header.size())
                index = *n - 1;
        }
        if (index < 0)
            return Status::Error("the file has no column '" + Shown(column).English() + "' for " +
                                 std::string(key));
        map.column[static_cast<std::size_t>(field)] = index;
    }
    out = map;
    return Status::Ok();
}

std::string ColumnMapText(const ColumnMap& map, const std::vector<std::string>& header) {
    std::string out;
    for (int f = 0; f < kMapFieldCount; ++f) {
        const int col = map.column[static_cast<std::size_t>(f)];
        if (col < 0 || static_cast<std::size_t>(col) >= header.size()) continue;
        const std::string& name = header[static_cast<std::size_t>(col)];
        const bool unique = std::count_if(header.begin(), header.end(), [&](const std::string& h) {
                                return EqualsNoCase(h, name);
                            }) == 1;
        const bool plain = !name.empty() && unique &&
                           name.find_first_of(",=") == std::string::npos &&
                           !name.starts_with('#') && TrimBlanks(name) == name;
        if (!out.empty()) out += ',';
        out += std::string(Fields()[static_cast<std::size_t>(f)].key) + "=" +
               (plain ? name : "#" + std::to_string(col + 1));
    }
    return out;
}

std::string ColumnMapSettingName(const TextRecord& header) {
    const std::string line = JoinDelimited(header.fields, ',');
    const std::string hash =
        Sha256Hex(reinterpret_cast<const std::uint8_t*>(line.data()), line.size());
    return "ImportMap" + hash.substr(0, 16);
}

std::optional<std::string> ParseToneSpelling(std::string_view text, bool dcsColumn) {
    std::string t = UpperAscii(TrimBlanks(text));
    for (std::string_view none : {"", "CSQ", "NONE", "OFF", "-", "0", "0.0", "NO", "CARRIER"})
        if (t == none) return "None";
    bool dcs = dcsColumn;
    if (StartsWithNoCase(t, "DCS")) {
        dcs = true;
        t = std::string(TrimBlanks(std::string_view(t).substr(3)));
    } else if (t.ends_with("DCS")) {
        dcs = true;
        t = std::string(TrimBlanks(std::string_view(t).substr(0, t.size() - 3)));
    } else if (t.size() > 1 && t[0] == 'D' && t[1] >= '0' && t[1] <= '9') {
        dcs = true;
        t.erase(0, 1);
    }
    if (dcs) {
        if (!t.empty() && t[0] == 'D') t.erase(0, 1);
        char polarity = 'N';
        if (!t.empty() && (t.back() == 'N' || t.back() == 'I' || t.back() == 'R')) {
            polarity = t.back() == 'N' ? 'N' : 'I';
            t.pop_back();
        }
        t = std::string(TrimBlanks(t));
        if (t.empty() || t.size() > 3 || t.find_first_not_of("01234567") != std::string::npos)
            return std::nullopt;
        t.insert(0, 3 - t.size(), '0');
        return ResolveListEntry(kColRxTone, "D" + t + polarity, Language::English);
    }
    if (t.ends_with("HZ")) t.resize(t.size() - 2);
    if (t.starts_with("PL")) t.erase(0, 2);
    return formats::SnapCtcss(PlainNumber(t));
}

TxFromOffset ParseOffsetSpelling(std::string_view offset, std::string_view duplex,
                                 std::int64_t rxHz) {
    const std::string d = Lower(TrimBlanks(duplex));
    std::string_view o = TrimBlanks(offset);
    if (d == "off" || d == "rx only" || d == "rx") return {true, std::nullopt, true};
    if (d == "split") {
        const auto tx = ParseHz(o);
        return tx ? TxFromOffset{true, *tx, false} : TxFromOffset{false, {}, false};
    }
    int sign = 0;
    if (o.starts_with('+') || o.starts_with('-')) {
        sign = o[0] == '+' ? 1 : -1;
        o = TrimBlanks(o.substr(1));
    }
    if (sign == 0) {
        if (d == "+" || d == "plus" || d == "up") sign = 1;
        if (d == "-" || d == "minus" || d == "down") sign = -1;
    }
    if (o.empty()) {
        if (sign == 0) return {};  // simplex
        const std::int64_t shift = rxHz / 10 <= kBand1High ? 600000 : 5000000;
        return {true, rxHz + sign * shift, false};
    }
    const auto magnitude = ParseHz(o);
    if (!magnitude) return {false, {}, false};
    if (*magnitude == 0) return {};
    const bool simplex = d == "simplex" || d == "none" || d == "s" || d == "0";
    if (sign == 0 && simplex) return {};
    return {true, rxHz + (sign == 0 ? 1 : sign) * *magnitude, false};
}

}  // namespace radio
