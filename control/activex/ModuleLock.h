// Counts the module's live objects and server locks, which decide whether the
// module may be unloaded.
#pragma once

namespace zubrelle {

void LockModule();
void UnlockModule();
int ModuleLockCount();

}  // namespace zubrelle
