#include "desktop/frame/key_lock_state.h"

#include <QGuiApplication>

#ifdef Q_OS_WIN
#include <windows.h>
#elif defined(Q_OS_UNIX) && !defined(Q_OS_MACOS)
#include <QtGui/qguiapplication_platform.h>
#include <dlfcn.h>
#endif

std::optional<KeyLockState> QueryKeyLockState() {
#ifdef Q_OS_WIN
    KeyLockState s;
    s.caps = (GetKeyState(VK_CAPITAL) & 1) != 0;
    s.num = (GetKeyState(VK_NUMLOCK) & 1) != 0;
    s.scroll = (GetKeyState(VK_SCROLL) & 1) != 0;
    return s;
#elif defined(Q_OS_UNIX) && !defined(Q_OS_MACOS) && QT_CONFIG(xcb)
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    if (!x11 || !x11->display()) return std::nullopt;
    // libX11 is loaded at run time so the build needs no X11 headers or libraries; Qt's xcb
    // platform has it loaded already.
    using GetIndicatorState = int (*)(Display*, unsigned int, unsigned int*);
    static GetIndicatorState query = [] {
        void* lib = dlopen("libX11.so.6", RTLD_LAZY | RTLD_NOLOAD);
        if (!lib) lib = dlopen("libX11.so.6", RTLD_LAZY);
        return lib ? reinterpret_cast<GetIndicatorState>(dlsym(lib, "XkbGetIndicatorState"))
                   : nullptr;
    }();
    if (!query) return std::nullopt;
    constexpr unsigned int kUseCoreKeyboard = 0x0100;
    unsigned int leds = 0;
    if (query(x11->display(), kUseCoreKeyboard, &leds) != 0) return std::nullopt;
    // The core keyboard's first three indicators are Caps Lock, Num Lock and Scroll Lock.
    return KeyLockState{(leds & 1) != 0, (leds & 2) != 0, (leds & 4) != 0};
#else
    return std::nullopt;
#endif
}
