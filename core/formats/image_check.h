#pragma once

#include <string>
#include <vector>

#include "core/config/phrase.h"
#include "core/image/radio_image.h"

namespace radio {

// Errors are what the radio cannot use or the program cannot show; warnings are what is
// probably a mistake but works.
enum class Severity { Error, Warning };

enum class FindingKind {
    OutsideBands,         // error: a frequency outside 136-175 and 400-520 MHz
    OffStep,              // error: a frequency on neither the 2.5 kHz nor the 6.25 kHz step
    Unrepresentable,      // error: bytes the grid cannot show (and would rewrite on an edit)
    OutsideBandLimits,    // warning: a receive frequency outside the image's band limits
    TxOutsideBandLimits,  // warning: a transmit frequency outside the image's band limits
    ToneNotInList,        // warning: a tone the grid shows but its list does not hold
    NameCharacters,       // warning: name bytes outside the radio's name characters
    DuplicateName,        // warning: a name already used by an earlier channel
    OptionNotInList,      // warning: an option byte holding none of the values of its list
    BlankImage,           // warning: no channel in use at all
    BandBytes,            // warning: band-limit bytes other than the type and band choose
};

struct Finding {
    Severity severity = Severity::Warning;
    FindingKind kind = FindingKind::BlankImage;
    int record = -1;   // channel record 0..199; -1 for the image as a whole
    int column = 0;    // grid column 1..9 the finding is about; 0 for the whole channel or image
    std::string text;  // "channel 12, Rx Frequency 180.00000: outside both bands (...)"
    Phrase phrase;     // the same text, for a translation
};

// The check before a write, in channel order, then the options, then findings about the whole
// image. Texts are English, as the program's messages are.
std::vector<Finding> CheckImage(const RadioImage& image);

bool HasErrors(const std::vector<Finding>& findings);
// "error: channel 12, ..." / "warning: ..."
std::string FormatFinding(const Finding& finding);
// "2 errors and 1 warning", "1 warning", "no findings".
std::string CountFindings(const std::vector<Finding>& findings);

}  // namespace radio
