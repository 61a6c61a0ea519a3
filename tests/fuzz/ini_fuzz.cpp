// The INI file: load any text, look everything up, change a value, write, read back.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <tuple>

#include "core/config/ini_file.h"
#include "tests/fuzz/fuzz_check.h"

namespace {

using radio::CIniFile;

// Every lookup of `a` gives the same value in `b`.
bool SameLookups(const CIniFile& a, const CIniFile& b) {
    for (const auto& [section, key] : a.Entries()) {
        if (a.GetValue(section, key, "\n") != b.GetValue(section, key, "\n")) return false;
    }
    return true;
}

// Every lookup of `ini` gives the same value once its text is written and read back.
bool ReadsBackTheSame(const CIniFile& ini, bool caseInsensitive) {
    CIniFile again;
    again.LoadFromText(ini.Serialize(), caseInsensitive);
    return SameLookups(ini, again);
}

// A short printable value made from the input, as a dialog would store.
std::string ValueFrom(std::string_view text) {
    std::string value;
    for (char c : text.substr(0, 12))
        value += static_cast<char>('A' + static_cast<unsigned char>(c) % 26);
    return value.empty() ? "Chinese" : value;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    for (bool caseInsensitive : {true, false}) {
        CIniFile ini;
        ini.LoadFromText(text, caseInsensitive);
        FUZZ_CHECK(ini.Serialize() == text, "an unchanged file is written back as it was");
        FUZZ_CHECK(ReadsBackTheSame(ini, caseInsensitive), "unchanged lookups");

        // Change a key the file has (or a new one), as the Language dialog does.
        const auto entries = ini.Entries();
        const std::string value = ValueFrom(text.substr(size / 2));
        std::string section = "Setup", key = "Language";
        if (!entries.empty()) std::tie(section, key) = entries[size % entries.size()];
        if (ini.SetValue(section, key, value)) {
            FUZZ_CHECK(ini.GetValue(section, key) == value, "a stored value reads back");
            FUZZ_CHECK(ReadsBackTheSame(ini, caseInsensitive), "lookups after a change");
        }
        // A new section with a plain key and value always fits.
        FUZZ_CHECK(ini.SetValue("Fuzz Section", "Key", value), "a plain new section is stored");
        CIniFile again;
        again.LoadFromText(ini.Serialize(), caseInsensitive);
        FUZZ_CHECK(again.GetValue("Fuzz Section", "Key") == value, "the new section reads back");
        FUZZ_CHECK(SameLookups(ini, again), "lookups after a new section");
    }
    return 0;
}
