// Checks a dispatch call against a member's description and converts its
// arguments to the declared types, as a typed dispatch implementation does.
#pragma once

#include <vector>

#include "platform/com/Dispatch.h"

namespace com {

const MemberDesc* FindMember(const TypeDesc& type, DISPID id);
HRESULT FindIdsOfNames(const TypeDesc& type, const OLECHAR* const* names, std::uint32_t count, DISPID* ids);

// The call's arguments in declaration order (for a put, the index parameters
// followed by the new value), each converted to its declared type. On failure
// argErr (if given) names the offending position in rgvarg.
struct DispatchCall {
    const MemberDesc* member = nullptr;
    bool isPut = false;
    std::vector<VARIANT> args;
    DispatchCall() = default;
    DispatchCall(const DispatchCall&) = delete;
    DispatchCall& operator=(const DispatchCall&) = delete;
    ~DispatchCall();
};

HRESULT PrepareDispatchCall(const TypeDesc& type, DISPID id, std::uint16_t flags, const DISPPARAMS* params,
                            DispatchCall* call, std::uint32_t* argErr);

}  // namespace com
