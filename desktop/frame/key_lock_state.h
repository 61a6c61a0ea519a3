#pragma once

#include <optional>

// The state of the Caps Lock, Num Lock and Scroll Lock keys, for the status-bar indicators.
struct KeyLockState {
    bool caps = false;
    bool num = false;
    bool scroll = false;
    friend bool operator==(const KeyLockState&, const KeyLockState&) = default;
};

// Asks the system: the keyboard LEDs on X11 (through libX11, loaded when first needed) and
// GetKeyState on Windows. Empty where the system cannot tell (offscreen, Wayland): the caller
// then follows the lock keys it sees pressed.
std::optional<KeyLockState> QueryKeyLockState();
