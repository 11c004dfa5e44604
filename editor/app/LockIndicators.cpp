// Lock state through the X keyboard extension. The X library is looked up
// when first needed, so the program neither links nor needs it elsewhere.
#include "editor/app/LockIndicators.h"

#include <QGuiApplication>

#include <dlfcn.h>

namespace mirtala::app {

namespace {

using GetIndicatorState = int (*)(void* display, unsigned int device, unsigned int* state);
constexpr unsigned int kUseCoreKeyboard = 0x0100;

GetIndicatorState IndicatorFunction() {
    static GetIndicatorState function = [] {
        void* library = dlopen("libX11.so.6", RTLD_LAZY | RTLD_LOCAL);
        return library ? reinterpret_cast<GetIndicatorState>(dlsym(library, "XkbGetIndicatorState")) : nullptr;
    }();
    return function;
}

}  // namespace

std::optional<LockState> QueryLockState() {
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    if (!x11 || !x11->display()) return std::nullopt;
    const GetIndicatorState query = IndicatorFunction();
    unsigned int state = 0;
    if (!query || query(x11->display(), kUseCoreKeyboard, &state) != 0) return std::nullopt;
    // The core keyboard's first three indicators are Caps, Num and Scroll Lock.
    return LockState{(state & 1u) != 0, (state & 2u) != 0, (state & 4u) != 0};
}

}  // namespace mirtala::app
