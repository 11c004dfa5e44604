// Writes one string value into the registry, as an installer would.
// Usage: regset [--if-missing] KEY NAME TEXT
//   KEY starts with HKEY_LOCAL_MACHINE or HKEY_CURRENT_USER ("HKEY_LOCAL_MACHINE\Software\...");
//   with --if-missing a value that is already there is left as it is.
#include <cstdio>
#include <cstring>
#include <string>

#include "platform/registry/Registry.h"

namespace reg = mirtala::registry;

namespace {

// Why the registry could not be changed, with the folder and the cause.
void ReportFailure(const char* what, const std::string& key, reg::HKEY root) {
    std::string problem = reg::RegFileProblem(root);
    problem = problem.empty() ? reg::RegWriteProblem() : "the registry file " + problem;
    std::fprintf(stderr, "mirtala-regset: cannot %s %s in the registry folder %s%s%s\n", what, key.c_str(),
                 reg::RegistryFolder().c_str(), problem.empty() ? "" : ": ", problem.c_str());
}

}  // namespace

int main(int argc, char** argv) {
    int i = 1;
    bool ifMissing = false;
    if (i < argc && std::strcmp(argv[i], "--if-missing") == 0) {
        ifMissing = true;
        ++i;
    }
    if (argc - i != 3) {
        std::fprintf(stderr, "usage: mirtala-regset [--if-missing] KEY NAME TEXT\n");
        return 2;
    }
    std::string key = argv[i], name = argv[i + 1], text = argv[i + 2];
    // Names stand on one line of the registry file; refused before anything is written.
    if (key.find_first_of("\r\n") != std::string::npos || name.find_first_of("\r\n") != std::string::npos) {
        std::fprintf(stderr, "mirtala-regset: a key or value name cannot hold a line break\n");
        return 2;
    }
    std::size_t slash = key.find('\\');
    std::string rootName = key.substr(0, slash);
    std::string sub = slash == std::string::npos ? std::string() : key.substr(slash + 1);
    reg::HKEY root = rootName == "HKEY_LOCAL_MACHINE"  ? reg::HKEY_LOCAL_MACHINE
                     : rootName == "HKEY_CURRENT_USER" ? reg::HKEY_CURRENT_USER
                                                       : nullptr;
    if (!root) {
        std::fprintf(stderr, "mirtala-regset: the key must start with HKEY_LOCAL_MACHINE or HKEY_CURRENT_USER\n");
        return 2;
    }
    reg::HKEY h = nullptr;
    if (reg::RegCreateKey(root, sub, &h) != reg::ERROR_SUCCESS) {
        ReportFailure("open", key, root);
        return 1;
    }
    std::string existing;
    if (ifMissing && reg::RegReadString(h, name, &existing)) {
        std::printf("%s \"%s\" is already \"%s\"; left as it is.\n", key.c_str(), name.c_str(), existing.c_str());
        reg::RegCloseKey(h);
        return 0;
    }
    bool ok = reg::RegSetString(h, name, text) == reg::ERROR_SUCCESS;
    reg::RegCloseKey(h);
    if (!ok) {
        ReportFailure("write", key + " \"" + name + "\"", root);
        return 1;
    }
    std::printf("%s \"%s\" = \"%s\"\n", key.c_str(), name.c_str(), text.c_str());
    if (std::fflush(stdout) != 0) return 1;
    return 0;
}
