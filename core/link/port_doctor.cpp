#include "core/link/port_doctor.h"

#include <cstdio>

#include "core/link/radio_link.h"

namespace radio {

namespace {

constexpr const char* kLineText = "9600 baud, 8 data bits, no parity, 1 stop bit";

std::string Holders(const std::vector<PortHolder>& holders) {
    std::string text;
    for (const PortHolder& h : holders) {
        if (!text.empty()) text += ", ";
        text += (h.name.empty() ? std::string("a program") : h.name) + " (process " +
                std::to_string(h.pid) + ")";
    }
    return text;
}

void Set(CheckResult& check, Verdict verdict, std::string text, std::string advice = {}) {
    check.verdict = verdict;
    check.text = std::move(text);
    check.advice = std::move(advice);
}

// Why this user may not open the device, and the way out that fits how the system decides.
void DenyAccess(CheckResult& check, const PortFacts& facts) {
    const std::string& dev = facts.device;
    const bool cable = facts.usb && FindCableChip(*facts.usb) != nullptr;
    if (facts.group.empty()) {
        Set(check, Verdict::Fail, "this user may not open " + dev + ".",
            "Ask the computer's administrator for access to the port.");
        return;
    }
    const std::string& g = facts.group;
    if (facts.groupListed && !facts.groupInProcess) {
        Set(check, Verdict::Fail,
            "you were added to the group '" + g + "' that may use " + dev +
                ", but this login started before that.",
            "Log out and in again (or restart the computer) so the new group applies.");
        return;
    }
    if (facts.groupListed) {
        Set(check, Verdict::Fail,
            dev + " belongs to the group '" + g + "', but the group may not read and write it.",
            "Check the device's permissions (ls -l " + dev + ") with the administrator.");
        return;
    }
    std::string advice =
        "Add yourself to the group: sudo usermod -aG " + g + " $USER, then log out and in again.";
    if (cable && !facts.uaccessRule) {
        advice +=
            " Or install the program's udev rule (the Debian package brings it), which gives "
            "the user at the computer access to USB programming cables; then replug the cable.";
    } else if (cable) {
        advice +=
            " The program's udev rule is installed but has not applied: replug the cable. It "
            "serves the user logged in at the computer itself, not remote logins.";
    }
    Set(check, Verdict::Fail,
        "this user may not open " + dev + ": it belongs to the group '" + g +
            "', and you are not in it.",
        advice);
}

void ReportBusy(CheckResult& check, const PortFacts& facts) {
    const std::string who = facts.lockedBy ? Holders({*facts.lockedBy}) : Holders(facts.openBy);
    if (who.empty()) {
        Set(check, Verdict::Fail,
            facts.device + " is in use by another program (the system does not say which).",
            "Close the other programs that use serial ports, then try again.");
    } else {
        Set(check, Verdict::Fail, facts.device + " is in use by " + who + ".",
            "Close that program (or let its transfer end), then try again.");
    }
}

void CheckRadio(CheckResult& check, PortSystem& system, const PortFacts& facts) {
    int stray = -1;
    const WakeUp reply = WakeUpRadio(system.Port(), system.Timer(), &stray);
    const CableChip* chip = facts.usb ? FindCableChip(*facts.usb) : nullptr;
    switch (reply) {
        case WakeUp::Confirmed:
            Set(check, Verdict::Pass,
                "a radio answered the wake-up and confirmed; nothing was read from or written "
                "to its memory.");
            return;
        case WakeUp::NoAck:
            if (stray >= 0) {
                char text[96];
                std::snprintf(text, sizeof text,
                              "something answered the wake-up, but not as the radio does "
                              "(received 0x%02X).",
                              stray);
                Set(check, Verdict::Fail, text,
                    "Check that this port is the radio's cable and that the radio is a model this "
                    "program knows.");
            } else {
                std::string advice =
                    "Switch the radio on, push the cable's plug fully into the radio's socket, "
                    "and try again; the radio must not be transmitting or in a menu.";
                if (chip && !chip->note.empty())
                    advice += " Note: " + std::string(chip->note) + ".";
                Set(check, Verdict::Fail, "no radio answered the wake-up.", advice);
            }
            return;
        case WakeUp::NoIdentity:
            Set(check, Verdict::Fail,
                "the radio acknowledged the wake-up, but reading its identity failed: " +
                    system.Port().LastError(),
                "Replug the cable, switch the radio off and on, and try again.");
            return;
        case WakeUp::NotConfirmed:
            Set(check, Verdict::Fail,
                "the radio acknowledged the wake-up but did not confirm the start.",
                "Switch the radio off and on, then try again.");
            return;
    }
}

const char* CheckName(CheckId id) {
    switch (id) {
        case CheckId::Exists:
            return "port";
        case CheckId::Permission:
            return "permission";
        case CheckId::Busy:
            return "in use";
        case CheckId::Line:
            return "line";
        case CheckId::Radio:
            return "radio";
    }
    return "";
}

}  // namespace

bool DoctorReport::ok() const {
    for (const CheckResult& c : checks) {
        if (c.verdict != Verdict::Pass) return false;
    }
    return !checks.empty();
}

const CheckResult& DoctorReport::Check(CheckId id) const {
    return checks.at(static_cast<std::size_t>(id));
}

DoctorReport RunPortDoctor(const std::string& portName, PortSystem& system) {
    DoctorReport report;
    report.port = portName;
    for (CheckId id :
         {CheckId::Exists, CheckId::Permission, CheckId::Busy, CheckId::Line, CheckId::Radio}) {
        report.checks.push_back({id, Verdict::NotRun, "not checked", {}});
    }
    auto& checks = report.checks;
    auto& exists = checks[0];
    auto& permission = checks[1];
    auto& busy = checks[2];
    auto& line = checks[3];
    auto& radio = checks[4];

    const PortFacts facts = system.Inspect(portName);
    report.device = facts.device.empty() ? portName : facts.device;
    const std::string where =
        report.device == portName ? portName : portName + " (" + report.device + ")";
    if (facts.usb) report.chip = DescribePort({portName, {}, facts.usb, facts.driver});

    if (!facts.exists) {
        Set(exists, Verdict::Fail, where + " does not exist.",
            "Check the name; plug the cable in and look at the port list (radioprog ports, or "
            "Setup > Com Setup). A USB cable shows up as /dev/ttyUSB0 or /dev/ttyACM0 on Linux, "
            "as COM3 or higher on Windows.");
        return report;
    }
    if (!facts.notADevice.empty()) {
        // Opening it would "work" and then nothing would answer: say what it really is.
        Set(exists, Verdict::Fail, where + " is " + facts.notADevice + ", not a serial port.",
            "Name the cable's port instead: see the port list (radioprog ports, or Setup > Com "
            "Setup). A USB cable shows up as /dev/ttyUSB0 or /dev/ttyACM0 on Linux, as COM3 or "
            "higher on Windows.");
        return report;
    }
    Set(exists, Verdict::Pass, where + " exists.");

    if (facts.access == AccessVerdict::Denied) {
        DenyAccess(permission, facts);
        return report;
    }
    if (facts.access == AccessVerdict::Granted)
        Set(permission, Verdict::Pass, "this user may read and write it.");
    if (facts.lockedBy) {
        ReportBusy(busy, facts);
        return report;
    }

    std::string detail;
    switch (system.Open(portName, detail)) {
        case OpenOutcome::Opened:
            break;
        case OpenOutcome::Missing:
            Set(exists, Verdict::Fail, where + " went away (" + detail + ").",
                "Plug the cable in firmly and try again.");
            return report;
        case OpenOutcome::Denied:
            // Where the rights were known to be fine, a refused open means another holder
            // (a serial port lock); elsewhere (Windows) the system cannot tell the two apart.
            if (facts.access == AccessVerdict::Granted || !facts.openBy.empty()) {
                ReportBusy(busy, facts);
            } else {
                Set(busy, Verdict::Fail,
                    facts.device +
                        " refused to open: another program holds it, or this user may "
                        "not use it (" +
                        detail + ").",
                    "Close the other programs that use serial ports; if that does not help, ask "
                    "the administrator for access.");
            }
            return report;
        case OpenOutcome::Busy:
            ReportBusy(busy, facts);
            return report;
        case OpenOutcome::Failed:
            Set(busy, Verdict::Fail, facts.device + " could not be opened: " + detail,
                "Replug the cable (another USB socket may help), then try again.");
            return report;
    }
    if (permission.verdict == Verdict::NotRun)
        Set(permission, Verdict::Pass, "this user may read and write it.");
    Set(busy, Verdict::Pass, "no other program holds it.");

    if (!system.SetLine(LineSettings{}, detail)) {
        Set(line, Verdict::Fail, std::string("the driver refused ") + kLineText + ": " + detail,
            "The cable's driver or chip may be faulty: try another USB socket or another cable.");
    } else {
        Set(line, Verdict::Pass, std::string(kLineText) + " set.");
        CheckRadio(radio, system, facts);
    }
    system.Close();
    return report;
}

std::string FormatReport(const DoctorReport& report) {
    std::string text = "Port " + report.port;
    if (report.device != report.port) text += " (" + report.device + ")";
    if (!report.chip.empty()) text += ": " + report.chip;
    text += "\n";
    int problems = 0;
    for (const CheckResult& c : report.checks) {
        const char* mark = c.verdict == Verdict::Pass   ? "ok      "
                           : c.verdict == Verdict::Fail ? "PROBLEM "
                                                        : "-       ";
        problems += c.verdict == Verdict::Fail;
        text += std::string("  ") + mark + CheckName(c.id) + ": " + c.text + "\n";
        if (!c.advice.empty()) text += "          what to do: " + c.advice + "\n";
    }
    text += report.ok() ? "Every check passed.\n"
                        : (problems ? "Found a problem; see what to do above.\n"
                                    : "Not every check could be made.\n");
    return text;
}

}  // namespace radio
