// Screen layouts as a fuzzer makes them: loading a layout into a window, then updating, drawing and
// switching states, neither crashes nor hangs, and releasing the window releases every window made.

#include <cstddef>
#include <cstdint>
#include <string>

#include "support/fuzz_files.h"
#include "vantle/core/ptr.h"
#include "vantle/gui/window.h"
#include "vantle/gui/window_factory.h"

namespace {

const char kLayout[] = "layout.xml";

int live_windows = 0;

// Window kinds a layout can name here: plain ones, and a container that builds its children.
class Plain : public gui::Window {
public:
    explicit Plain(TiXmlElement* element) : gui::Window(element) { ++live_windows; }
    ~Plain() override { --live_windows; }
};

class Holder : public Plain {
public:
    explicit Holder(TiXmlElement* element) : Plain(element) { LoadChilds(element, false); }
};

bool SetUp() {
    gui::WindowFactory* factory = gui::WindowFactory::instance();
    factory->Register("container", [](TiXmlElement* element) -> gui::Window* { return new Holder(element); });
    for (const char* name : {"image", "text", "button"}) {
        factory->Register(name, [](TiXmlElement* element) -> gui::Window* { return new Plain(element); });
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const bool ready = SetUp();
    (void)ready;
    fuzz::ServeInput(kLayout, data, size);
    core::ptr<gui::Window> host(new gui::Window("host", math::Rect(0, 0, 800, 600)));
    host->LoadChilds(kLayout);
    host->CalcAbsRect(math::Rect());
    host->SetState("open", 0);
    host->SetState("closed", 100);
    host->Update();
    host->Render();
    host->GetChild("a/tooltip/b");
    host->Reset();
    host->Render();
    host.reset();
    test::FuzzCheck(live_windows == 0, "every window goes with the window it was loaded into");
    return 0;
}
