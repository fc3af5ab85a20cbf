#include "vantle/render/animation.h"

#include <tinyxml.h>

#include <algorithm>

#include "vantle/core/strutils.h"
#include "vantle/math/rect.h"
#include "vantle/xml/xmlcache.h"

namespace render {

namespace {
const Tile EMPTY_TILE;
}  // namespace

Animation::Frame::Frame(TiXmlElement* element) : tile(element ? Tile(element) : Tile()) {
    if (!element) return;
    if (const char* text = element->Attribute("length")) length = core::str2unsigned(text);
    tile.rect = math::Rect(element);
}

Animation::Animation(TiXmlElement* element) {
    Load(element);
}

Animation::Animation(const std::string& file_name) {
    core::ptr<TiXmlDocument> document = xml::XmlCache::instance()->Get(file_name);
    if (!document) return;
    if (xml::ReportParseError(*document, "Error loading animation: ")) return;
    TiXmlNode* node = document->FirstChild("animation");
    if (node) Load(node->ToElement());
}

void Animation::Load(TiXmlElement* element) {
    if (!element) return;
    const char* loop = element->Attribute("loop");
    _loop = loop && core::str2bool(loop);
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
