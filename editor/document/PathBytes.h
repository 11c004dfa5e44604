// File names as the bytes they are. The system's names are bytes, not always valid
// UTF-8; a name taken from the command line keeps every byte, so that the file it
// names is the file opened. Valid UTF-8 becomes its characters; each byte of an
// invalid sequence becomes the lone surrogate U+DC80 + (byte - 0x80), which no real
// character uses, and goes back to that byte.
#pragma once

#include <QString>

#include <string>
#include <string_view>

namespace mirtala {

QString PathFromBytes(std::string_view bytes);
std::string PathToBytes(const QString& path);

}  // namespace mirtala
