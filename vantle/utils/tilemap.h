#pragma once

#include <map>
#include <string>

#include "vantle/core/ptr.h"
#include "vantle/render/tile.h"

class TiXmlElement;

namespace utils {

// Named tiles read from a tile-map file (root "tilemap", one tile element per child, named by its
// attribute "name"), so code can ask for the pieces of a picture by name.
class TileMap {
public:
    TileMap() = default;
    explicit TileMap(TiXmlElement* element);
    // A missing file or root leaves the map empty; a parse error is logged.
    explicit TileMap(const std::string& file_name);

    // Adds one tile per child element, replacing tiles of the same name; unnamed children share the
    // empty name.
    void Load(TiXmlElement* element);
    // The shared tile, or an empty pointer.
    core::ptr<render::Tile> Get(const std::string& name) const;
    // A copy of the named tile, or a default opaque white tile.
    render::Tile GetWhite(const std::string& name) const;

private:
    std::map<std::string, core::ptr<render::Tile>> _tiles;
};

}  // namespace utils
