// Late-bound calls: the dispatch interface, its argument block, and the type
// information through which a caller learns names, identifiers and help texts.
#pragma once

#include <cstdint>

#include "platform/com/Unknown.h"
#include "platform/com/Variant.h"

namespace com {

using DISPID = std::int32_t;
using LCID = std::uint32_t;
using MEMBERID = DISPID;

inline constexpr DISPID DISPID_UNKNOWN = -1;
inline constexpr DISPID DISPID_PROPERTYPUT = -3;
inline constexpr MEMBERID MEMBERID_NIL = -1;

inline constexpr std::uint16_t DISPATCH_METHOD = 1;
inline constexpr std::uint16_t DISPATCH_PROPERTYGET = 2;
inline constexpr std::uint16_t DISPATCH_PROPERTYPUT = 4;

inline constexpr IID IID_IDispatch{0x00020400, 0x0000, 0x0000, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
inline constexpr IID IID_ITypeInfo{0x00020401, 0x0000, 0x0000, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
inline constexpr IID IID_ITypeLib{0x00020402, 0x0000, 0x0000, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};

// Arguments in reverse order: rgvarg[0] is the last argument. A property put
// passes its value as rgvarg[0], named DISPID_PROPERTYPUT.
struct DISPPARAMS {
    VARIANT* rgvarg = nullptr;
    DISPID* rgdispidNamedArgs = nullptr;
    std::uint32_t cArgs = 0;
    std::uint32_t cNamedArgs = 0;
};

struct EXCEPINFO {
    std::uint16_t wCode = 0;
    BSTR bstrSource = nullptr;
    BSTR bstrDescription = nullptr;
    HRESULT scode = 0;
};

// What a type describes, as static tables of the module that owns it.
enum class TypeKind { Dispatch, CoClass };
// A put of a read-only property is refused as a member not found.
enum class MemberKind { Method, Property, ReadOnlyProperty };

struct ParamDesc {
    const char* name;
    VARTYPE type;
};

struct MemberDesc {
    DISPID dispid;
    const char* name;
    MemberKind kind;
    VARTYPE type;  // result or property type; VT_EMPTY for none
    const ParamDesc* params;
    std::uint32_t paramCount;  // index parameters of a property
    const char* help;
};

struct TypeDesc {
    GUID guid;
    const char* name;
    const char* help;
    TypeKind kind;
    const MemberDesc* members;
    std::uint32_t memberCount;
    GUID defaultInterface;  // of a class
    GUID defaultSource;     // of a class
};

struct TypeLibDesc {
    GUID libid;
    std::uint16_t major;
    std::uint16_t minor;
    LCID lcid;
    const char* name;
    const char* help;
    const char* helpFile;
    const TypeDesc* types;
    std::uint32_t typeCount;
};

struct ITypeLib;

struct ITypeInfo : IUnknown {
    virtual HRESULT GetGuid(GUID* guid) = 0;
    virtual HRESULT GetTypeKind(TypeKind* kind) = 0;
    virtual HRESULT GetIDsOfNames(const OLECHAR* const* names, std::uint32_t count, MEMBERID* ids) = 0;
    // memid MEMBERID_NIL describes the type itself. Any output may be null.
    virtual HRESULT GetDocumentation(MEMBERID memid, BSTR* name, BSTR* docString, std::uint32_t* helpContext,
                                     BSTR* helpFile) = 0;
    virtual HRESULT GetMemberCount(std::uint32_t* count) = 0;
    // The description stays valid while the type information is held.
    virtual HRESULT GetMemberDesc(std::uint32_t index, const MemberDesc** desc) = 0;
    // For a class: its default interface (index 0) and default event source (index 1).
    virtual HRESULT GetImplType(std::uint32_t index, GUID* guid) = 0;
    virtual HRESULT GetContainingTypeLib(ITypeLib** lib, std::uint32_t* index) = 0;

protected:
    ~ITypeInfo() = default;
};

struct ITypeLib : IUnknown {
    virtual std::uint32_t GetTypeInfoCount() = 0;
    virtual HRESULT GetTypeInfo(std::uint32_t index, ITypeInfo** info) = 0;
    virtual HRESULT GetTypeInfoOfGuid(const GUID& guid, ITypeInfo** info) = 0;
    virtual HRESULT GetLibAttr(GUID* libid, std::uint16_t* major, std::uint16_t* minor, LCID* lcid) = 0;
    // index -1 describes the library itself.
    virtual HRESULT GetDocumentation(std::int32_t index, BSTR* name, BSTR* docString, std::uint32_t* helpContext,
                                     BSTR* helpFile) = 0;

protected:
    ~ITypeLib() = default;
};

struct IDispatch : IUnknown {
    virtual HRESULT GetTypeInfoCount(std::uint32_t* count) = 0;
    virtual HRESULT GetTypeInfo(std::uint32_t index, LCID lcid, ITypeInfo** info) = 0;
    virtual HRESULT GetIDsOfNames(const IID& iid, const OLECHAR* const* names, std::uint32_t count, LCID lcid,
                                  DISPID* ids) = 0;
    virtual HRESULT Invoke(DISPID id, const IID& iid, LCID lcid, std::uint16_t flags, DISPPARAMS* params,
                           VARIANT* result, EXCEPINFO* excepInfo, std::uint32_t* argErr) = 0;

protected:
    ~IDispatch() = default;
};

}  // namespace com
