// libcurl is set up once for the test program, as start-up does for the installer.
#include <gtest/gtest.h>

#include "config/InstallerConfig.h"
#include "download/CurlSetup.h"

namespace {

class CurlEnvironment : public testing::Environment {
public:
    void SetUp() override { InitLibcurl(GetInstallerConfig()); }
    void TearDown() override { CleanupLibcurl(); }
};

const auto* const registered = testing::AddGlobalTestEnvironment(new CurlEnvironment);

}  // namespace
