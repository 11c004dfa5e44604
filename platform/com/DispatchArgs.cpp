// Argument checking for typed dispatch.
#include "platform/com/DispatchArgs.h"

#include "platform/registry/RegTree.h"

namespace com {

DispatchCall::~DispatchCall() {
    for (auto& v : args) VariantClear(&v);
}

const MemberDesc* FindMember(const TypeDesc& type, DISPID id) {
    for (std::uint32_t i = 0; i < type.memberCount; ++i)
        if (type.members[i].dispid == id) return &type.members[i];
    return nullptr;
}

HRESULT FindIdsOfNames(const TypeDesc& type, const OLECHAR* const* names, std::uint32_t count, DISPID* ids) {
    if (!names || !ids || count == 0) return E_INVALIDARG;
    for (std::uint32_t i = 0; i < count; ++i) ids[i] = DISPID_UNKNOWN;
    const MemberDesc* member = nullptr;
    std::string first = names[0] ? Utf8FromUtf16(names[0]) : std::string();
    for (std::uint32_t i = 0; i < type.memberCount && !member; ++i)
        if (mirtala::registry::NamesEqual(type.members[i].name, first)) member = &type.members[i];
    if (!member) return DISP_E_UNKNOWNNAME;
    ids[0] = member->dispid;
    HRESULT hr = S_OK;
    // Further names are the member's parameters, numbered by position.
    for (std::uint32_t n = 1; n < count; ++n) {
        std::string name = names[n] ? Utf8FromUtf16(names[n]) : std::string();
        for (std::uint32_t p = 0; p < member->paramCount; ++p)
            if (mirtala::registry::NamesEqual(member->params[p].name, name)) ids[n] = static_cast<DISPID>(p);
        if (ids[n] == DISPID_UNKNOWN) hr = DISP_E_UNKNOWNNAME;
    }
    return hr;
}

HRESULT PrepareDispatchCall(const TypeDesc& type, DISPID id, std::uint16_t flags, const DISPPARAMS* params,
                            DispatchCall* call, std::uint32_t* argErr) {
    static DISPPARAMS none;
    if (!params) params = &none;
    if (params->cArgs && !params->rgvarg) return E_INVALIDARG;
    const MemberDesc* member = FindMember(type, id);
    if (!member) return DISP_E_MEMBERNOTFOUND;
    std::uint32_t expected = member->paramCount;
    if (member->kind == MemberKind::Method) {
        if (!(flags & DISPATCH_METHOD)) return DISP_E_MEMBERNOTFOUND;
        if (params->cNamedArgs) return DISP_E_NONAMEDARGS;
    } else if (flags & DISPATCH_PROPERTYPUT) {
        if (member->kind == MemberKind::ReadOnlyProperty) return DISP_E_MEMBERNOTFOUND;
        if (params->cNamedArgs != 1 || !params->rgdispidNamedArgs || params->rgdispidNamedArgs[0] != DISPID_PROPERTYPUT)
            return DISP_E_PARAMNOTFOUND;  // the new value must be named as such
        call->isPut = true;
        ++expected;
    } else if (flags & DISPATCH_PROPERTYGET) {
        if (params->cNamedArgs) return DISP_E_NONAMEDARGS;
    } else {
        return DISP_E_MEMBERNOTFOUND;
    }
    if (params->cArgs != expected) return DISP_E_BADPARAMCOUNT;
    call->member = member;
    call->args.resize(expected);
    for (std::uint32_t k = 0; k < expected; ++k) {
        // Declaration order k; a put's value is rgvarg[0], the rest reversed after it.
        std::uint32_t position;
        VARTYPE vt;
        if (call->isPut && k == expected - 1) {
            position = 0;
            vt = member->type;
        } else {
            position = params->cArgs - 1 - k;
            vt = member->params[k].type;
        }
        HRESULT hr = VariantChangeType(&call->args[k], &params->rgvarg[position], vt);
        if (FAILED(hr)) {
            if (argErr) *argErr = position;
            return hr == DISP_E_BADVARTYPE ? DISP_E_TYPEMISMATCH : hr;
        }
    }
    return S_OK;
}

}  // namespace com
