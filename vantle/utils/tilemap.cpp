#include "vantle/utils/tilemap.h"

#include <tinyxml.h>

#include "vantle/xml/attributes.h"
#include "vantle/xml/xmlcache.h"

namespace utils {

TileMap::TileMap(TiXmlElement* element) {
    Load(element);
}

TileMap::TileMap(const std::string& file_name) {
    const core::ptr<TiXmlDocument> document = xml::Load(file_name, "Error loading tilemap: ");
    if (!document) return;
    TiXmlNode* root = document->FirstChild("tilemap");
    if (root) Load(root->ToElement());
}

void TileMap::Load(TiXmlElement* element) {
    if (!element) return;
    for (TiXmlElement* child = element->FirstChildElement(); child; child = child->NextSiblingElement()) {
        _tiles[xml::ReadText(child, "name")] = core::ptr<render::Tile>(new render::Tile(child));
    }
}

core::ptr<render::Tile> TileMap::Get(const std::string& name) const {
    auto found = _tiles.find(name);
    return found == _tiles.end() ? core::ptr<render::Tile>() : found->second;
}

render::Tile TileMap::GetWhite(const std::string& name) const {
    auto found = _tiles.find(name);
    if (found == _tiles.end() || !found->second) return render::Tile();
    return *found->second;
}

}  // namespace utils
