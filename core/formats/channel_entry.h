#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "core/codec/channel_codec.h"
#include "core/codec/channel_grid.h"
#include "core/formats/channel_list.h"

// What the CSV and the TSV readers share: the grid's entry rules applied to one channel, and
// the wording of findings.
namespace radio::formats {

// The findings of one record of the file.
class RecordFindings {
  public:
    RecordFindings(int line, std::string location)
        : m_line(line), m_location(std::move(location)) {}
    // "location <loc>: <what>"
    void Add(std::string_view column, std::string_view value, Phrase what);
    void Add(std::string_view column, std::string_view value, std::string_view what) {
        Add(column, value, Phrase::Text(std::string(what)));
    }
    // Like Add, for a record whose channel is not taken at all.
    void Skip(std::string_view column, std::string_view value, Phrase what);
    std::vector<ImportFinding> Take() { return std::move(m_findings); }

  private:
    int m_line;
    std::string m_location;
    std::vector<ImportFinding> m_findings;
};

// Columns 1..9 at 0..8: the cells of a record the entry rules refused.
using CellMask = std::array<bool, kChannelColumns>;

// One channel built the way typing it into an empty grid row builds it: CommitCellEdit with
// the new channel's defaults, list entries through ResolveListEntry, the name rule. A refused
// frequency is marked rather than dropped: the importer keeps what the grid row holds there.
class ChannelRules {
  public:
    ChannelRules() : m_grid(Language::English) {}

    // Starts a channel on the receive frequency as the file writes it (MHz). A refused one is
    // said in `findings` (`kept` names what the row keeps instead, "Rx Frequency") and marked
    // in Refused(); the record is read on a stand-in frequency all the same, so that its other
    // cells can still be taken. Returns the frequency in Hz when the text is one at all.
    std::optional<std::int64_t> StartText(std::string_view column, std::string_view text,
                                          std::string_view kept, RecordFindings& findings);
    // Transmit frequency in Hz; a refused one is marked in Refused().
    CommitResult SetTx(std::int64_t hz);
    // The file's transmit frequency follows a refused receive frequency: marked refused too.
    void KeepTx() { m_refused[kColTxFreq - 1] = true; }
    void ClearTx();
    // A list entry (columns 3-8) of either language, any case; false when it is none, and the
    // cell keeps what it had.
    bool SetEntry(int col, std::string_view text);
    // The name after the name rule (upper case, the radio's characters, six of them); says in
    // `findings` what it dropped.
    void SetName(std::string_view column, std::string_view value, RecordFindings& findings);

    const std::string& Text(int col) const { return m_grid.Text(1, col); }
    ChannelTexts Texts() const { return m_grid.RowTexts(1); }
    const CellMask& Refused() const { return m_refused; }

  private:
    CommitResult Start(std::int64_t hz);

    ChannelGrid m_grid;
    CellMask m_refused{};
};

// "Hz" or "kHz" when `text`, no frequency of the radio's bands in MHz, would be one in that
// unit ("146520000", "146520"); nullopt otherwise. The bands are far enough apart that no
// number fits two units, so the unit named is never a guess between two.
std::optional<std::string_view> FrequencyUnit(std::string_view text);
// The note a finding adds for such a value: "; it looks like Hz (146.520000 MHz), but the
// file must give MHz", or "" when the value does not fit another unit.
std::string UnitNote(std::string_view text);
Phrase UnitNotePhrase(std::string_view text);

// A frequency of the file in MHz ("146.520000"), exactly, in Hz; nullopt when it is not a
// plain decimal number.
std::optional<std::int64_t> ParseMHz(std::string_view text);
// Hz as the CSV layout writes MHz: six decimals.
std::string MHzText(std::int64_t hz);
// Why the rules refused a frequency: "is out of range (...)" / "is not on a ... step".
std::string RefusalText(CommitResult result);
Phrase RefusalPhrase(CommitResult result);
// A list entry of the grid ("High", "Narrow", "None"), translated as the grid shows it.
inline Phrase EntryPhrase(std::string entry) { return {std::move(entry), {}, true}; }

// A CTCSS text as the nearest tone of the radio's list, when closer than 0.1 Hz: spreadsheets
// turn 88.5 into 88.49999. nullopt for no tone of the list (69.4 is not 69.3).
std::optional<std::string> SnapCtcss(std::string_view text);

// "5.0W", "0.5 W", "1w" in milliwatts.
std::optional<std::int64_t> ParseWatts(std::string_view text);

// Watts mean nothing to this radio; their rank in the file does: the highest is High, the
// lowest Low, any between Middle. A file with one wattage has only High. Words of the power
// list (either language) and their short forms (H, Mid, Lo) stand for themselves.
class PowerLevels {
  public:
    void Note(std::string_view text) {
        if (auto mw = ParseWatts(text)) m_watts.insert(*mw);
    }
    std::optional<std::string_view> Level(std::string_view text) const;
    // True the first time a wattage is read (per text), so its reading is named once.
    bool FirstReading(std::string_view text) const {
        return m_reported.insert(std::string(text)).second;
    }

  private:
    std::set<std::int64_t> m_watts;
    mutable std::set<std::string, std::less<>> m_reported;
};

// A location: digits only (after blanks are trimmed), at most 99999.
std::optional<int> ParseLocation(std::string_view text);

// A value for a finding: unprintable bytes shown as '?', long texts cut, "(empty)" for "" (in
// the reader's language).
Phrase Shown(std::string_view value);

// Findings of a record that has no channel to speak of; the line they carry says where.
ImportFinding UnclosedQuoteFinding(int line);
ImportFinding NotAChannelNumberFinding(int line, std::string_view location, std::string column);

}  // namespace radio::formats
