// Globally unique identifiers (class, interface and library identifiers) and
// their "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}" text form.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace com {

struct GUID {
    std::uint32_t Data1 = 0;
    std::uint16_t Data2 = 0;
    std::uint16_t Data3 = 0;
    std::uint8_t Data4[8] = {};
    friend bool operator==(const GUID&, const GUID&) = default;
};
using CLSID = GUID;
using IID = GUID;

inline constexpr GUID IID_NULL{};

// Upper-case hexadecimal, with braces.
std::string GuidToString(const GUID& guid);
// Accepts the braced form in either case; false (guid untouched) otherwise.
bool GuidFromString(std::string_view text, GUID* guid);

}  // namespace com
