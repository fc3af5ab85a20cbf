#include "vantle/render/tile.h"

#include <tinyxml.h>

#include "vantle/render/texture_cache.h"

namespace render {

Tile::Tile(TiXmlElement* element) {
    if (!element) return;
    if (const char* hex = element->Attribute("color")) color = Color(hex);
    if (const char* name = element->Attribute("texture")) _texture = TextureCache::instance()->Get(name);
    if (TiXmlElement* child = element->FirstChildElement("rect")) rect = math::Rect(child);
}

}  // namespace render
