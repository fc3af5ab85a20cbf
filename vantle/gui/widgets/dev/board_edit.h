#pragma once

#include <map>
#include <string>
#include <vector>

#include "vantle/core/context.h"
#include "vantle/core/ptr.h"
#include "vantle/game/board.h"
#include "vantle/gui/widgets/clickable_window.h"
#include "vantle/render/color.h"
#include "vantle/render/tile.h"

class TiXmlElement;

namespace gui {

// A developer's tool for painting board maps: "board_w" by "board_h" cells in layers of characters, each
// layer drawing the characters its tile map knows, later layers over earlier ones, on "bgcolor". The left
// button paints the character under "<key>.char" into the layer numbered by "<key>.layer"; the middle
// button erases to '0'; a drag keeps painting or erasing. The map lives as text under "<key>.data": per
// layer its cells row by row, then ";". Every change rewrites that text, and a text written there from
// elsewhere is loaded; building the editor clears it. Grids start as '0'. An editor without a size has
// no grid: it ignores events and draws only its background.
class BoardEdit : public ClickableWindow {
public:
    struct Layer {
        std::map<char, core::ptr<render::Tile>> tiles;
        core::ptr<game::Board<char>> board;
    };

    // Loads the owner whenever the data key is written.
    class DataLink : public core::Context::Link {
    public:
        DataLink(const std::string& key, BoardEdit* owner);
        void OnUpdate() override;

    private:
        BoardEdit* owner;
    };

    // "board_w", "board_h", "bgcolor", "key"; a child "layers" with one "layer" per layer, each with a
    // "tilemap" whose children give a tile ("texture", "color", child "rect") for the first character of
    // their "key".
    explicit BoardEdit(TiXmlElement* element);
    // One layer without tiles, no key.
    BoardEdit(const std::string& id, const math::Rect& rect, unsigned int board_w, unsigned int board_h);
    ~BoardEdit() override;

    // The text under the data key into the layers; a piece too short for the grid, and one beyond the
    // last layer, changes nothing.
    void Load();
    // The layers as text under the data key.
    void Save();
    void Render() override;
    void Update() override {}
    void OnEvent(const Event& event) override;

    // Registers "boardedit" and "board_edit" with the window factory.
    static void Register();

private:
    enum Mode { MODE_IDLE = 0, MODE_PAINT = 1, MODE_ERASE = 2 };

    void ReadSize(TiXmlElement* element);
    void LoadLayers(TiXmlElement* element);
    void AddLayer(TiXmlElement* tilemap);
    std::string DataKey() const { return key + ".data"; }
    // False when the point lies off the grid.
    bool CellAt(const math::Vector2& point, int& x, int& y) const;
    void Paint(Layer& layer, int x, int y, char c);

    unsigned int board_w = 0;
    unsigned int board_h = 0;
    unsigned int layers_count = 0;
    std::string key;
    core::ptr<DataLink> data_link;
    std::vector<core::ptr<Layer>> layers;
    render::Color bgcolor{0.0f, 0.0f, 0.0f, 1.0f};
    int mode = MODE_IDLE;
};

// The factory's creator for "boardedit" and "board_edit".
Window* CreateBoardEdit(TiXmlElement* element);

}  // namespace gui
