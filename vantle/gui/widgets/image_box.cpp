#include "vantle/gui/widgets/image_box.h"

#include <tinyxml.h>

#include "vantle/core/log.h"
#include "vantle/gui/window_factory.h"
#include "vantle/render/render.h"
#include "vantle/xml/attributes.h"

namespace gui {

ImageBox::ImageBox(TiXmlElement* element) : DrawableWindow(element), core::Context::Link(element) {
    LoadBoxData(element);
}

ImageBox::ImageBox(const std::string& id, const math::Rect& rect) : DrawableWindow(id, rect) {}

Window* CreateImageBox(TiXmlElement* element) {
    return new ImageBox(element);
}

void ImageBox::Register() {
    WindowFactory::instance()->Register("imagebox", &CreateImageBox);
}

void ImageBox::LoadBoxData(TiXmlElement* element) {
    if (!element) return;
    for (TiXmlElement* child = element->FirstChildElement("image"); child;
         child = child->NextSiblingElement("image")) {
        const char* key = xml::FindText(child, "key");
        if (!key) {
            core::Log::instance()->Write("imagebox %s: an image without a key is skipped", id.c_str());
            continue;
        }
        images[key] = core::ptr<render::Tile>(new render::Tile(child));
    }
    OnUpdate();
}

void ImageBox::OnUpdate() {
    UpdateFromContext();
    SetImage(GetValue().as_string());
}

void ImageBox::SetImage(const std::string& key) {
    const auto found = images.find(key);
    if (found != images.end()) current = found->second;
}

void ImageBox::Render() {
    RenderScope scope(*this);
    if (scope && current) Renderer().DrawRect(rect, *current);
}

}  // namespace gui
