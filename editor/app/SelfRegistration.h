// Registering the picture control for the user on first start: when its class
// is not registered and the module that belongs to this program is there, the
// module registers itself (its own DllRegisterServer, as the register tool
// calls it). A class registered to any module, here or elsewhere, is left alone.
#pragma once

#include <string>

#include "platform/com/Guid.h"

namespace mirtala {

struct InstallPaths;

struct SelfRegistration {
    enum class Outcome { AlreadyRegistered, Registered, NoModule, Failed };
    Outcome outcome = Outcome::NoModule;
    std::string message;  // for the status bar or standard error; empty when nothing happened
};

// `clsid`: the control class the program creates.
SelfRegistration RegisterControlIfNeeded(const InstallPaths& paths, const com::CLSID& clsid);

}  // namespace mirtala
