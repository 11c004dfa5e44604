// The type library ZUBRELLELib: the dispatch interface, the event interface
// and the creatable control class.
#pragma once

#include "platform/com/Dispatch.h"

namespace zubrelle {

const com::TypeLibDesc& ZubrelleTypeLib();
const com::TypeDesc& DZubrelleType();
const com::TypeDesc& DZubrelleEventsType();

}  // namespace zubrelle
