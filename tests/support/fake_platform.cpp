#include "support/fake_platform.h"

#include <gtest/gtest.h>

#include "vantle/platform/application.h"

namespace test {

FakePlatform* FakePlatform::Install() {
    platform::Platform* facade = platform::Platform::instance();
    if (!facade->GetImplementation()) facade->SetImplementation(new FakePlatform);
    auto* fake = dynamic_cast<FakePlatform*>(facade->GetImplementation());
    EXPECT_NE(fake, nullptr) << "another platform implementation is installed";
    return fake;
}

void FakePlatform::Sleep(unsigned int milliseconds) {
    _sleeps.push_back(milliseconds);
    _ticks += milliseconds;
}

void FakePlatform::Run(platform::Application* application) {
    application->Run();
}

}  // namespace test
