// The first start's registration of the picture control.
#include "editor/app/SelfRegistration.h"

#include "editor/app/InstallPaths.h"
#include "platform/com/Activation.h"
#include "platform/com/ServerRegistration.h"
#include "platform/registry/Registry.h"

#include <filesystem>

namespace mirtala {

SelfRegistration RegisterControlIfNeeded(const InstallPaths& paths, const com::CLSID& clsid) {
    SelfRegistration done;
    if (!com::InprocServerPath(clsid).empty()) {
        done.outcome = SelfRegistration::Outcome::AlreadyRegistered;
        return done;
    }
    // An unreadable registry file may hide a registration; writing is refused then anyway.
    std::error_code ec;
    if (!registry::RegFileProblem(registry::HKEY_CLASSES_ROOT).empty() || paths.module.empty() ||
        !std::filesystem::is_regular_file(paths.module, ec))
        return done;
    const com::ServerCall call = com::CallServerRegistration(paths.module, false);
    if (!call.error.empty()) {
        done.outcome = SelfRegistration::Outcome::Failed;
        done.message = "The picture control " + paths.module + " could not be registered: " + call.error +
                       ". Register it with: " + paths.RegisterCommand();
        return done;
    }
    done.outcome = SelfRegistration::Outcome::Registered;
    done.message = "Registered the picture control " + call.module + " for you.";
    return done;
}

}  // namespace mirtala
