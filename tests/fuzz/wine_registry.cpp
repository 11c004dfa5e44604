// Reads arbitrary bytes as a Wine prefix's system.reg, asking for the host
// product's keys: only those keys (and the levels leading to them) may appear,
// only they may hold values, and every string value must end with its NUL.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "platform/registry/RegTypes.h"
#include "platform/registry/WineRegFile.h"

namespace {

using namespace mirtala::registry;

const std::vector<std::vector<std::string>> kWanted{
    {"Software", "Wow6432Node", "Vantrelle Technology", "Tarvossa 2", "1.0"},
    {"Software", "Vantrelle Technology", "Tarvossa 2", "1.0"}};

// 0: not on the way to a wanted key; 1: a level on the way; 2: a wanted key.
int Place(const std::vector<std::string>& path) {
    int best = 0;
    for (const auto& wanted : kWanted)
        if (wanted.size() >= path.size() && std::equal(path.begin(), path.end(), wanted.begin(), NamesEqual))
            best = std::max(best, wanted.size() == path.size() ? 2 : 1);
    return best;
}

void Check(const RegNode& node, std::vector<std::string>& path) {
    int place = Place(path);
    if (place == 0 || (place == 1 && !node.Values().empty())) std::abort();
    for (const auto& v : node.Values()) {
        bool text = v.type == REG_SZ || v.type == REG_EXPAND_SZ || v.type == 7;
        if (text && (v.data.empty() || v.data.back() != 0)) std::abort();
    }
    for (const auto& child : node.Children()) {
        path.push_back(child->Name());
        Check(*child, path);
        path.pop_back();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string text(reinterpret_cast<const char*>(data), size);
    RegNode root;
    WineRegResult result = ReadWineRegText(text, kWanted, root);
    if (!result.readable && !root.Children().empty()) std::abort();
    std::vector<std::string> path;
    Check(root, path);
    return 0;
}
