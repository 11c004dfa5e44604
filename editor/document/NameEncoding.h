// The character set of names: name files hold Windows-1252 bytes, the program's
// text (JSON, widgets) is UTF-8. Conversions both ways and the test for what a
// name may hold.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace mirtala {

// Name-file bytes (Windows-1252) as UTF-8. Every byte has a character: the five
// bytes Windows-1252 leaves undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) become the
// control characters of the same number, so that converting back gives the
// original bytes and no name is changed by being shown and stored again.
std::string Cp1252ToUtf8(std::string_view bytes);

// How much of a name the windows and messages show: names are kept whole, however
// long, but a name of megabytes would make every list, combo and title crawl.
inline constexpr std::size_t kShownNameLength = 256;

// The first kShownNameLength characters of a name as UTF-8, with "…" after them when
// the name is longer; only those bytes are converted.
std::string ShownName(std::string_view bytes);

// UTF-8 text as Windows-1252 bytes; nullopt when the text is not valid UTF-8 or
// holds a character that Windows-1252 cannot hold.
std::optional<std::string> Utf8ToCp1252(std::string_view utf8);

}  // namespace mirtala
