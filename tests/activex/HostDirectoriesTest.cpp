// The host product's directories: defaults, and values read from the registry.
#include <gtest/gtest.h>

#include "control/activex/HostDirectories.h"
#include "platform/registry/Registry.h"
#include "registry/TempRegistry.h"

using namespace mirtala::registry;

namespace {
void SetValue(const char* path, const char* name, const std::string& text) {
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKey(HKEY_LOCAL_MACHINE, path, &key), ERROR_SUCCESS);
    ASSERT_EQ(RegSetValue(key, name, REG_BINARY, reinterpret_cast<const std::uint8_t*>(text.data()),
                          static_cast<std::uint32_t>(text.size())),
              ERROR_SUCCESS);
    RegCloseKey(key);
}
constexpr const char* kKey = "Software\\Vantrelle Technology\\Tarvossa 2\\1.0";
}  // namespace

TEST(HostDirectories, DefaultsWhenTheKeyOrAValueIsMissing) {
    TempRegistry reg;
    std::string images = "x", body = "y";
    zubrelle::ReadHostDirectories(images, body);
    EXPECT_EQ(images, "c:\\program files\\tarvossa 2\\images\\");
    EXPECT_EQ(body, "c:\\program files\\tarvossa 2\\body data\\");
    SetValue("Software\\Vantrelle Technology\\Tarvossa 2", "Images Directory", "/not/deep/enough/");
    SetValue(kKey, "Body Data Directory", std::string("/data/body/\0junk", 16));
    zubrelle::ReadHostDirectories(images, body);
    EXPECT_EQ(images, "c:\\program files\\tarvossa 2\\images\\");
    EXPECT_EQ(body, "/data/body/") << "the text ends at its first NUL, whatever the value's type";
}

TEST(HostDirectories, BothValuesAreTakenAsTheyStand) {
    TempRegistry reg;
    SetValue(kKey, "Images Directory", "/opt/tarvossa/Images/");
    SetValue(kKey, "Body Data Directory", "/opt/tarvossa/Body Data");
    std::string images, body;
    zubrelle::ReadHostDirectories(images, body);
    EXPECT_EQ(images, "/opt/tarvossa/Images/");
    EXPECT_EQ(body, "/opt/tarvossa/Body Data");
}
