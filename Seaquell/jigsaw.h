#pragma once

#include "vantle/core/ptr.h"
#include "vantle/effects/effect_manager.h"
#include "vantle/game/board.h"
#include "vantle/gui/widgets/clickable_window.h"
#include "vantle/math/position.h"
#include "vantle/math/vec2.h"
#include "vantle/render/texture.h"
#include "vantle/render/tile.h"

class TiXmlElement;

namespace core {
class Functor;
}  // namespace core

namespace effects {
class Effect;
}  // namespace effects

namespace cm {

// The jigsaw mode ("jigsaw_board"): the picture named by the context's "jigsaw_image" when the window is
// built, cut into 6 by 5 pieces and shuffled; the player swaps two loose pieces at a time with the left
// button. A piece in its own cell is fixed and drawn without a frame. Once every piece is home the win
// effect plays over the window, "after_win" runs, and "on_win" runs at every later left release.
// While it lives it holds the functors "jigsaw_reset", "jigsaw_pause", "jigsaw_resume" and
// "jigsaw_stop_effect". Positions given to the mouse operations are window-local.
class Jigsaw : public gui::ClickableWindow {
public:
    // One piece of the picture.
    struct Tile {
        render::Tile piece;
        // The cell the piece belongs in.
        math::Position home;
        // Part of a running swap; pos is its top-left corner then.
        bool moving = false;
        math::Vector2 pos;
    };
    using Grid = game::Board<Tile>;

    static constexpr int kColumns = 6;
    static constexpr int kRows = 5;
    static constexpr unsigned int kSwapTime = 500;
    static constexpr int kShuffleSwaps = 100;
    // Far off the grid: matches no cell.
    static const math::Position kNone;

    explicit Jigsaw(TiXmlElement* element);
    // Stops the win effect and withdraws the functors it still holds.
    ~Jigsaw() override;
    Jigsaw(const Jigsaw&) = delete;
    Jigsaw& operator=(const Jigsaw&) = delete;

    // The whole picture at half opacity, then the resting pieces (loose ones framed), then the moving
    // ones. Without any picture only the frames of the loose pieces are drawn.
    void Render() override;
    // The window's update, then the running swap's animation and its end.
    void Update() override;
    // Moves, and left presses and releases; nothing else, and no click state.
    void OnEvent(const gui::Event& event) override;
    void OnMouseDown(const math::Vector2& pos) override;
    void OnMouseUp(const math::Vector2& pos) override;
    void MouseMove(const math::Vector2& pos);

    // Exchanges the whole records of the two cells.
    void Swap(const math::Position& a, const math::Position& b);
    // Declares the win once every piece is home, starting the win effect at the window's centre.
    void CheckWin();
    // A copy of the prototype centred on the cell, in the global effect runner; nothing for an empty one.
    void StartEffect(const math::Position& cell, const core::ptr<effects::Effect>& prototype);

    // Functors. Reset forgets the win, the pick and the hover, and leaves the pieces where they are.
    void Reset();
    void Pause() {}
    void Resume() {}
    void StopEffect();

    // The effects and frame tiles, once per process.
    static void Preload();
    // Releases them; the next Preload loads them again. Runs by itself at process exit.
    static void Unload();
    // "jigsaw_board" with the window factory.
    static void Register();

    // The cell under a window-local point; false off the grid.
    bool CellAt(const math::Vector2& pos, math::Position& cell) const;
    bool IsHome(const math::Position& cell) const;

    bool won = false;
    bool first_click = false;
    math::Position selected = kNone;
    bool swapping = false;
    unsigned int swap_start = 0;
    unsigned int swap_time = kSwapTime;
    math::Position swap_from;
    math::Position swap_to;
    math::Position hovered = kNone;
    core::ptr<render::ITexture> image;
    int width = kColumns;
    int height = kRows;
    core::ptr<Grid> board;
    effects::EffectPuppy win_puppy;

    static bool data_loaded;
    static core::ptr<effects::Effect> place_effect;
    static core::ptr<effects::Effect> place_orig_effect;
    static core::ptr<effects::Effect> swap_effect;
    static core::ptr<effects::Effect> swap_result_effect;
    static core::ptr<effects::Effect> swap_result2_effect;
    static core::ptr<effects::Effect> no_way_effect;
    static core::ptr<effects::Effect> win_effect;
    static render::Tile normal_border;
    static render::Tile active_border;
    static render::Tile start_border;

private:
    void RegisterFunctors();
    void LoadPicture();
    void CutPicture();
    void Shuffle();
    void StartSwap(const math::Position& cell);
    void AnimateSwap(unsigned int elapsed);
    void EndSwap();
    float CellWidth() const;
    float CellHeight() const;
    math::Vector2 CellCorner(const math::Position& cell) const;
    math::Rect CellRect(const math::Vector2& corner) const;
    void RenderResting(render::IRender& renderer) const;
    void RenderMoving(render::IRender& renderer) const;
    const render::Tile& FrameOf(const math::Position& cell) const;

    core::ptr<core::Functor> _functors[4];
};

// The factory's creator for "jigsaw_board".
gui::Window* CreateJigsawGame(TiXmlElement* element);

}  // namespace cm
