// The module's lock count.
#include "control/activex/ModuleLock.h"

namespace zubrelle {

namespace {
int g_locks = 0;
}

void LockModule() { ++g_locks; }
void UnlockModule() { --g_locks; }
int ModuleLockCount() { return g_locks; }

}  // namespace zubrelle
