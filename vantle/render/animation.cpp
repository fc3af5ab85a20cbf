#include "vantle/render/animation.h"

#include <tinyxml.h>

#include <algorithm>

#include "vantle/math/rect.h"
#include "vantle/xml/attributes.h"
#include "vantle/xml/xmlcache.h"

namespace render {

namespace {
const Tile EMPTY_TILE;
}  // namespace

Animation::Frame::Frame(TiXmlElement* element) : tile(element ? Tile(element) : Tile()) {
    if (!element) return;
    length = xml::ReadUnsigned(element, "length", length);
    tile.rect = math::Rect(element);
}

Animation::Animation(TiXmlElement* element) {
    Load(element);
}

Animation::Animation(const std::string& file_name) {
    const core::ptr<TiXmlDocument> document = xml::Load(file_name, "Error loading animation: ");
    if (!document) return;
    TiXmlNode* node = document->FirstChild("animation");
    if (node) Load(node->ToElement());
}

void Animation::Load(TiXmlElement* element) {
    if (!element) return;
    _loop = xml::ReadBool(element, "loop", false);
    for (TiXmlElement* child = element->FirstChildElement("frame"); child;
         child = child->NextSiblingElement("frame")) {
        AddFrame(Frame(child));
    }
}

void Animation::AddFrame(const Frame& frame) {
    _frames.push_back(frame);
    _length += frame.length;
}

size_t Animation::GetFrameIndex(unsigned int time) const {
    if (_frames.empty()) return 0;
    const unsigned int total = _length == 0 ? 1 : _length;
    unsigned int t = time;
    if (!_loop) {
        t = std::min(t, total);
    } else if (t > total) {
        t %= total;
    }
    unsigned int end = 0;
    for (size_t i = 0; i < _frames.size(); ++i) {
        end += _frames[i].length;
        if (end > t) return i;
    }
    return _loop ? 0 : _frames.size() - 1;
}

const Tile& Animation::GetTile(unsigned int time) const {
    if (_frames.empty()) return EMPTY_TILE;
    return _frames[GetFrameIndex(time)].tile;
}

}  // namespace render
