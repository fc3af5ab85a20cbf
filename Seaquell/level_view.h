#pragma once

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "vantle/core/ptr.h"
#include "vantle/math/rect.h"
#include "vantle/render/buffers.h"
#include "vantle/render/texture.h"
#include "vantle/render/tile.h"

namespace cm {

class Board;
class BoardCell;

// Draws one match board in local space: the origin is the top-left corner of cell (0, 0), and the owner
// moves it there before Render. The static layers (background, plates, plate borders and the frame
// around the board's shape) are vertex buffers, one per texture, rebuilt from the board's cells by every
// Update; balls, highlights and effects are drawn live from the board. Not a window: the game window
// and the level preview each own one next to their board.
class LevelView {
public:
    static constexpr int kPlateLevels = 3;
    static constexpr int kFramePieces = 17;
    // Neighbour key (8 characters '0' or '1': top-left, top, top-right, left, right, bottom-left,
    // bottom, bottom-right) to the frame pieces drawn on a non-board cell with that key, repeats kept.
    using FrameMap = std::map<std::string, std::vector<unsigned int>>;

    // The board must outlive the view. Sizes a cell from the rectangle's width and height, and makes
    // the board's ball factory fit the balls it creates from now on to that cell; a preview's balls show
    // their sprites without effects. Loads the shared resources on the first construction; builds no
    // buffer: the first Update does.
    LevelView(const math::Rect& rect, Board* board, bool preview);
    LevelView(const LevelView&) = delete;
    LevelView& operator=(const LevelView&) = delete;

    // Rebuilds every static layer from the board as it is now; once per frame, after the board's update.
    void Update();
    // Drops the background buffer, then updates.
    void Reset();
    // Frame, background, plates, plate borders, then (unless the board is paused) highlights, the balls
    // with their lock marks, and the board's effects. Sets point filtering and leaves it set.
    void Render();
    // The whole of Update. A layer whose texture failed to load keeps an empty buffer.
    void RebuildVB();

    // Loads the textures, the lock tile and the frame map once per process; later calls return at once.
    static void Preload();
    // Releases the shared resources; the next Preload loads them again. Runs by itself at process exit,
    // before the services that were in place at the first Preload go.
    static void Unload();
    // Registers f0 and those of f1 to f3 that are not negative under every key the pattern matches: a
    // blank in the 8-character pattern matches '0' and '1'. Keys collect entries in registration order;
    // the fillings are visited counting upwards with the leftmost blank as the lowest digit, all '0'
    // last. A malformed pattern or an entry beyond the pieces is logged and registers nothing.
    static void FillFrameMap(const char* pattern, int f0, int f1 = -1, int f2 = -1, int f3 = -1);

    Board* board;
    // Only its width and height are used.
    math::Rect rect;
    float cell_width;
    float cell_height;
    // Opacity of every vertex of the static layers, read by the next Update.
    float alpha = 1.0f;
    // Declared in the order their release runs backwards: frames 16 to 0, borders, plates, background.
    core::ptr<render::IVertexBuffer> back_vb;
    // Index k holds plate level k + 1.
    core::ptr<render::IVertexBuffer> board_vb[kPlateLevels];
    core::ptr<render::IVertexBuffer> borders_vb[kPlateLevels];
    core::ptr<render::IVertexBuffer> frame_vb[kFramePieces];

    // Shared by every view; slot i of each goes with slot i of the matching buffer.
    static bool data_loaded;
    static core::ptr<render::ITexture> back_tx;
    static core::ptr<render::ITexture> board_tx[kPlateLevels];
    static core::ptr<render::ITexture> borders_tx[kPlateLevels];
    static core::ptr<render::ITexture> frame_tx[kFramePieces];
    static render::Tile lock_tile;
    static FrameMap frame_map;

private:
    using CellTest = std::function<bool(const BoardCell&)>;

    // One quad per board cell that shows, the texture laid over the whole board when shared and whole on
    // each cell otherwise. Empty without the texture, and without such cells unless even_empty.
    core::ptr<render::IVertexBuffer> BuildCellLayer(const core::ptr<render::ITexture>& texture, bool shared,
                                                    const CellTest& shows, bool even_empty) const;
    void RebuildFrame();
    // The neighbour key of an extended-grid position.
    std::string NeighbourKey(int col, int row) const;
    // Inside the grid and existing.
    bool IsBoardCell(int col, int row) const;
    // Where the quad of a position of the extended grid goes.
    math::Rect CellPlace(int col, int row) const;
    void RenderHighlights() const;
    void RenderBalls(unsigned int now) const;
};

}  // namespace cm
