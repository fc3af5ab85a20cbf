#pragma once

#include <gtest/gtest.h>

#include "vantle/platform/platform.h"

namespace test {

// The T installed in platform::Platform, installing a new one when none is; the facade keeps the first
// implementation for the whole process. Fails the test when another kind was installed first.
template <class T>
T* InstallPlatform() {
    platform::Platform* facade = platform::Platform::instance();
    if (!facade->GetImplementation()) facade->SetImplementation(new T);
    T* installed = dynamic_cast<T*>(facade->GetImplementation());
    EXPECT_NE(installed, nullptr) << "another platform implementation is installed";
    return installed;
}

}  // namespace test
