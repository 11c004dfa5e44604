// Automation strings: UTF-16 text with its byte length stored in front of it,
// allocated by one side and copied by the other.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace com {

using OLECHAR = char16_t;
using BSTR = OLECHAR*;

BSTR SysAllocString(const OLECHAR* text);                           // null gives null
BSTR SysAllocStringLen(const OLECHAR* text, std::uint32_t length);  // text may be null: zeros
void SysFreeString(BSTR text);
std::uint32_t SysStringLen(BSTR text);  // in characters; 0 for null

// Conversions at the edges: invalid sequences become U+FFFD.
BSTR BstrFromUtf8(std::string_view text);
std::string Utf8FromBstr(BSTR text);
std::u16string Utf16FromUtf8(std::string_view text);
std::string Utf8FromUtf16(std::u16string_view text);

}  // namespace com
