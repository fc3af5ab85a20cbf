#include "vantle/gui/widgets/text_attributes.h"

#include <limits>
#include <string>

#include "vantle/effects/effect.h"
#include "vantle/xml/attributes.h"

namespace gui {

render::Render::TextAlign ReadAlign(const TiXmlElement* element) {
    const std::string word = xml::ReadText(element, "align", "left");
    if (word == "right") return render::Render::RIGHT;
    if (word == "center") return render::Render::CENTER;
    return render::Render::LEFT;
}

unsigned int FontSize(float size) {
    if (!(size > 0.0f)) return 0;
    if (size >= static_cast<float>(std::numeric_limits<unsigned int>::max())) {
        return std::numeric_limits<unsigned int>::max();
    }
    return static_cast<unsigned int>(size);
}

render::IRender::FilteringMode ReadFiltering(const TiXmlElement* element) {
    const std::string word = xml::ReadText(element, "filtering");
    if (word == "point") return render::IRender::FILTER_POINT;
    if (word == "linear") return render::IRender::FILTER_LINEAR;
    if (word == "anisotropic") return render::IRender::FILTER_ANISOTROPIC;
    return render::IRender::FILTER_UNSET;
}

core::ptr<effects::Effect> LoadEffect(TiXmlElement* element) {
    if (!element) return core::ptr<effects::Effect>();
    if (const char* file = xml::FindText(element, "filename")) {
        return core::ptr<effects::Effect>(new effects::Effect(std::string(file)));
    }
    return core::ptr<effects::Effect>(new effects::Effect(element));
}

}  // namespace gui
