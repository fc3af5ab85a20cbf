#pragma once

#include <gtest/gtest.h>
#include <tinyxml.h>

#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

#include "support/capture_log.h"
#include "support/fake_input.h"
#include "support/fake_script_engine.h"
#include "support/frame_clock.h"
#include "support/recording_render.h"
#include "support/temp_dir.h"
#include "vantle/render/font_bmf.h"

namespace gui {
class Window;
}

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

    // One event per word, pointer events at the point: enter, leave, move, down and up (the left
    // button), rdown and rup (the right one); other words are skipped.
    static void Send(gui::Window& window, const std::string& words, const math::Vector2& at);

    // What the window drew in one frame.
    const std::vector<RecordingRender::Draw>& DrawnBy(gui::Window& window);

    // A plain white 1 by 1 picture under each name.
    void WritePictures(std::initializer_list<const char*> names) const;

    // The name of a fresh style file of the fields, the font put in its cached style when given; a file
    // per call, since documents are cached by name.
    std::string Style(const std::string& fields, const core::ptr<render::IFont>& font = nullptr);

    CaptureLog log;
    TempDir dir;
    RecordingRender renderer;
    FakeScriptEngine script;
    FrameClock clock;
    FakeMouse* mouse = nullptr;
    FakeKeyboard* keyboard = nullptr;

private:
    std::vector<core::ptr<TiXmlDocument>> _documents;
    int _styles = 0;
};

}  // namespace test
