// Property pages and the controls that list them.
#pragma once

#include <cstdint>

#include "platform/com/Bstr.h"
#include "platform/com/Unknown.h"

namespace com {

inline constexpr IID IID_IPropertyPage{0xB196B28D, 0xBAB4, 0x101A, {0xB6, 0x9C, 0x00, 0xAA, 0x00, 0x34, 0x1D, 0x07}};
inline constexpr IID IID_ISpecifyPropertyPages{
    0xB196B28B, 0xBAB4, 0x101A, {0xB6, 0x9C, 0x00, 0xAA, 0x00, 0x34, 0x1D, 0x07}};

struct PROPPAGEINFO {
    BSTR title = nullptr;  // freed by the caller
    std::int32_t width = 0;
    std::int32_t height = 0;
    BSTR text = nullptr;  // what the page shows; freed by the caller
};

struct IPropertyPage : IUnknown {
    virtual HRESULT GetPageInfo(PROPPAGEINFO* info) = 0;
    virtual HRESULT SetObjects(std::uint32_t count, IUnknown** objects) = 0;
    virtual HRESULT IsPageDirty() = 0;  // S_OK when dirty, S_FALSE otherwise
    virtual HRESULT Apply() = 0;

protected:
    ~IPropertyPage() = default;
};

// A counted array of class identifiers, allocated with std::malloc by the
// callee and freed with std::free by the caller.
struct CAUUID {
    std::uint32_t cElems = 0;
    GUID* pElems = nullptr;
};

struct ISpecifyPropertyPages : IUnknown {
    virtual HRESULT GetPages(CAUUID* pages) = 0;

protected:
    ~ISpecifyPropertyPages() = default;
};

}  // namespace com
