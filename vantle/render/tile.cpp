#include "vantle/render/tile.h"

#include <tinyxml.h>

#include "vantle/render/texture_cache.h"
#include "vantle/xml/attributes.h"

namespace render {

Tile::Tile(TiXmlElement* element) {
    if (!element) return;
    color = ReadColor(element, "color", color);
    if (const char* name = xml::FindText(element, "texture")) _texture = TextureCache::instance()->Get(name);
    if (TiXmlElement* child = element->FirstChildElement("rect")) rect = math::Rect(child);
}

}  // namespace render
