// Calling a control module's own registration exports (DllRegisterServer,
// DllUnregisterServer): the register tool does it on request, and the
// editor and its batch commands do it once for the module installed beside
// them. And the command that registers the module by hand, as messages name it.
#pragma once

#include <string>

#include "platform/com/HResult.h"

namespace com {

struct ServerCall {
    HRESULT result = E_FAIL;
    std::string module;  // the module's full path, once it was found
    // Why the call did not happen or failed: "the module cannot be found: ...",
    // "the module cannot be loaded: it is cut short: ...", "... failed with
    // 0x80040200: its type library could not be registered in ...".
    std::string error;
};

// Finds, checks (ModuleFileProblem), loads and calls the module's export, and
// unloads it again. The module writes its entries itself, into the registry
// folder of this process's environment.
ServerCall CallServerRegistration(const std::string& module, bool unregister);

// "mirtala-regsvr /usr/lib/mirtala/Zubrelle.so" or whatever the program set
// at start-up; "mirtala-regsvr Zubrelle.so" until then.
const std::string& RegisterCommand();
void SetRegisterCommand(std::string command);

}  // namespace com
