// Reads arbitrary bytes as a registry file; whatever was read must format and
// read back to the same text.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "platform/registry/RegFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace mirtala::registry;
    std::string text(reinterpret_cast<const char*>(data), size);
    RegNode root;
    ParseRegText(text, "HKEY_LOCAL_MACHINE", root);
    std::string formatted = FormatRegText(root, "HKEY_LOCAL_MACHINE");
    RegNode again;
    RegParseResult result = ParseRegText(formatted, "HKEY_LOCAL_MACHINE", again);
    if (!result.complete || FormatRegText(again, "HKEY_LOCAL_MACHINE") != formatted) std::abort();
    return 0;
}
