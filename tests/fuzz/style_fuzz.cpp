// Style files as a fuzzer makes them: loading neither crashes nor hangs, a document with a "style" root
// always gives a style, and a state's text colour or offset that the file does not give is the base one.

#include <tinyxml.h>

#include <cstddef>
#include <cstdint>
#include <string>

#include "support/fuzz_files.h"
#include "vantle/gui/style.h"
#include "vantle/io/stream.h"
#include "vantle/xml/xmlcache.h"

namespace {

const char kStyle[] = "style.xml";

bool Gives(TiXmlElement* style, const char* name) {
    return style->FirstChildElement(name) != nullptr;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::ServeInput(kStyle, data, size);
    xml::XmlCache::instance()->Clear();
    const core::ptr<gui::Style> style = gui::StyleFactory::Create(kStyle);

    const core::ptr<TiXmlDocument> document = xml::XmlCache::instance()->Get(kStyle);
    TiXmlElement* root = document && !document->Error() ? document->FirstChildElement("style") : nullptr;
    test::FuzzCheck(static_cast<bool>(style) == (root != nullptr),
                    "a style exactly when the file has a style root");
    if (!style) return 0;
    if (!Gives(root, "text_color_active"))
        test::FuzzCheck(style->text_color_active == style->text_color, "active colour");
    if (!Gives(root, "text_color_pressed"))
        test::FuzzCheck(style->text_color_pressed == style->text_color, "pressed colour");
    if (!Gives(root, "text_color_disabled")) {
        test::FuzzCheck(style->text_color_disabled == style->text_color, "disabled colour");
    }
    if (!Gives(root, "text_adjust_disabled")) {
        test::FuzzCheck(style->text_adjust_disabled == style->text_adjust, "disabled offset");
    }
    return 0;
}
