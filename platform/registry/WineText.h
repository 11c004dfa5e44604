// The text of Wine's registry files: names and strings with C-style escapes,
// where "\x" gives one UTF-16 unit, and strings kept as UTF-16 bytes; both
// read as UTF-8.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace mirtala::registry {

// Reads escaped text from s[i] up to the unescaped `close` into out (a buffer
// the caller may reuse); returns the index after `close`, or npos when the
// text ends first. Raw bytes pass through; a surrogate without its partner
// becomes U+FFFD.
std::size_t ReadWineEscaped(std::string_view s, std::size_t i, char close, std::string& out);

// The value of a hex digit, or -1.
int HexDigitValue(char c);

// UTF-16LE bytes as UTF-8 (an odd last byte is dropped).
std::string Utf8FromUtf16Le(const std::vector<std::uint8_t>& bytes);

}  // namespace mirtala::registry
