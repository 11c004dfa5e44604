// The keyboard's Caps Lock, Num Lock and Scroll Lock state, where the
// platform tells it (the X keyboard extension); unknown elsewhere.
#pragma once

#include <optional>

namespace mirtala::app {

struct LockState {
    bool caps = false;
    bool num = false;
    bool scroll = false;
};

// Nothing when the platform does not tell the lock state.
std::optional<LockState> QueryLockState();

}  // namespace mirtala::app
