#pragma once

#include <gtest/gtest.h>

#include <string>

#include "support/fake_audio_device.h"
#include "support/fake_platform.h"
#include "support/temp_dir.h"

namespace test {

// The services the global script functions reach, set up once per process: settings and players files
// in a temporary folder that is also the loader's only source (samples under "sfx/"), a recording sound
// device and a recording platform.
class ScriptFunctionsTest : public ::testing::Test {
protected:
    static void SetUpTestSuite();

    static const TempDir& Dir();
    static FakeAudioDevice* Audio();
    // A new recording device in place of the last, so channels count from 0 again.
    static void ResetAudio();
    static FakePlatform* Platform();

    // The result of the code, shown by Ruby's inspect: "nil", "true", "\"text\"", "[\"a\"]".
    static std::string Inspect(const std::string& code);
};

}  // namespace test
