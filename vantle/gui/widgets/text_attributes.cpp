#include "vantle/gui/widgets/text_attributes.h"

#include <limits>
#include <string>

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

}  // namespace gui
