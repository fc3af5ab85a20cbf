#include "support/fake_platform.h"

#include "support/install_platform.h"
#include "vantle/platform/application.h"

namespace test {

FakePlatform* FakePlatform::Install() {
    return InstallPlatform<FakePlatform>();
}

void FakePlatform::Sleep(unsigned int milliseconds) {
    _sleeps.push_back(milliseconds);
    _ticks += milliseconds;
}

void FakePlatform::Run(platform::Application* application) {
    application->Run();
}

}  // namespace test
