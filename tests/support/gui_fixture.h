#pragma once

#include <gtest/gtest.h>
#include <tinyxml.h>

#include <memory>
#include <string>
#include <vector>

#include "support/capture_log.h"
#include "support/fake_input.h"
#include "support/fake_script_engine.h"
#include "support/frame_clock.h"
#include "support/recording_render.h"
#include "support/temp_dir.h"

namespace test {

// The world a window sees, without GL or Ruby: the recording renderer and the fake script engine are
// installed, the frame clock starts afresh, the fake mouse and keyboard stand released, the log is
// captured, and a temporary folder is the loader's only source. Afterwards the style, document and
// texture caches are emptied and the renderer and engine taken out again.
class GuiTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // The root element of the text, parsed through the engine's loader; the document lives as long as
    // the test. Fails the test when the text does not parse.
    TiXmlElement* Parse(const std::string& xml);

    CaptureLog log;
    TempDir dir;
    RecordingRender renderer;
    FakeScriptEngine script;
    FrameClock clock;
    FakeMouse* mouse = nullptr;
    FakeKeyboard* keyboard = nullptr;

private:
    std::vector<core::ptr<TiXmlDocument>> _documents;
};

}  // namespace test
