#include "vantle/render/atlas.h"

#include <tinyxml.h>

#include "vantle/core/log.h"
#include "vantle/xml/attributes.h"
#include "vantle/xml/xmlcache.h"

namespace render {

namespace {

// Far beyond any real atlas; a grid past these would only exhaust memory.
constexpr unsigned int kMaxSide = 1u << 16;
constexpr unsigned long long kMaxCells = 1ull << 20;

bool Within(float value, float low, float high) {
    return low <= value && value <= high;
}

// Two spans overlap when an end of either lies within the other, touching ends included.
bool SpansOverlap(float a_low, float a_high, float b_low, float b_high) {
    return Within(b_low, a_low, a_high) || Within(b_high, a_low, a_high) || Within(a_low, b_low, b_high) ||
           Within(a_high, b_low, b_high);
}

}  // namespace

Atlas::Atlas(const std::string& file_name) {
    Load(file_name);
}

void Atlas::Load(const std::string& file_name) {
    const core::ptr<TiXmlDocument> document = xml::Load(file_name, "Error loading atlas: ");
    if (!document) return;
    TiXmlElement* atlas = document->FirstChildElement("atlas");
    if (!atlas) return;
    const unsigned int columns = xml::ReadUnsigned(atlas, "size_x", 0);
    const unsigned int rows = xml::ReadUnsigned(atlas, "size_y", 0);
    if (columns > kMaxSide || rows > kMaxSide ||
        static_cast<unsigned long long>(columns) * rows > kMaxCells) {
        core::Log::instance()->Write("Error loading atlas: " + file_name + " : too many cells");
        return;
    }
    _columns = columns;
    _rows = rows;
    _grid.assign(_columns, std::vector<core::ptr<Tile>>(_rows));

    TiXmlElement* tiles = atlas->FirstChildElement("tiles");
    if (!tiles) return;
    for (TiXmlElement* tile = tiles->FirstChildElement("tile"); tile;
         tile = tile->NextSiblingElement("tile")) {
        if (!xml::Has(tile, "x") || !xml::Has(tile, "y")) continue;
        const unsigned int x = xml::ReadUnsigned(tile, "x", 0);
        const unsigned int y = xml::ReadUnsigned(tile, "y", 0);
        if (x >= _columns || y >= _rows) continue;
        _grid[x][y] = core::ptr<Tile>(new Tile(tile));
    }
}

core::ptr<Tile> Atlas::GetCell(unsigned int x, unsigned int y) const {
    if (x >= _columns || y >= _rows) return core::ptr<Tile>();
    return _grid[x][y];
}

math::Rect Atlas::CellRect(unsigned int x, unsigned int y) const {
    const float columns = static_cast<float>(_columns);
    const float rows = static_cast<float>(_rows);
    return math::Rect(x / columns, y / rows, (x + 1) / columns, (y + 1) / rows);
}

Atlas::Part Atlas::GetPart(math::Rect r) const {
    Part part;
    part.rect = r;
    const float width = r.right - r.left;
    const float height = r.bottom - r.top;
    if (!(width > 0.0f && height > 0.0f)) {
        core::Log::instance()->Write("Error: atlas part of zero size");
        return part;
    }
    for (unsigned int x = 0; x < _columns; ++x) {
        for (unsigned int y = 0; y < _rows; ++y) {
            const core::ptr<Tile>& tile = _grid[x][y];
            if (!tile) continue;
            math::Rect cell = CellRect(x, y);
            if (!SpansOverlap(cell.left, cell.right, r.left, r.right) ||
                !SpansOverlap(cell.top, cell.bottom, r.top, r.bottom)) {
                continue;
            }
            math::Rect covered = cell;
            covered.ClipBy(r);
            math::Rect place((covered.left - r.left) / width, (covered.top - r.top) / height,
                             (covered.right - r.left) / width, (covered.bottom - r.top) / height);
            part.cells.push_back(Part::Cell{place, Tile(tile->GetTexture(), tile->rect)});
        }
    }
    return part;
}

}  // namespace render
