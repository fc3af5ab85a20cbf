#pragma once

#include <string>

#include "vantle/core/ptr.h"
#include "vantle/math/position.h"
#include "vantle/math/vec2.h"

namespace game {
class Sprite;
}  // namespace game

namespace cm {

class Board;

// One ball of the match board: a cell, a colour and an animated sprite of its own. Bonus balls derive
// from it and act through the virtual hooks. A ball may have no sprite (a ghost, or a kind without a
// registered picture); it then draws and animates nothing but still takes part in play.
class Ball {
public:
    // Colours 1 to 8 are plain balls; bonus kinds, tokens and ghosts use their own codes.
    Ball(const core::ptr<game::Sprite>& sprite, const math::Vector2& cell_size, unsigned int color);
    virtual ~Ball();

    // Always a plain Ball, whatever this one is, with every field copied and a sprite of its own.
    virtual core::ptr<Ball> Clone() const;
    // A one-shot animation that plays out leaves the sprite at its own default; the ball goes back to its
    // look as hover and highlight stand.
    virtual void Update(unsigned int now);
    // Draws only once placed, shifted by the offset for this frame only.
    virtual void Render();
    // Highlight as part of a removable group: the look "over", back to "default".
    virtual void Over(bool over_);
    // Hover: the look "mouse_over", back to "over" or "default" as the highlight stands.
    virtual void MouseOver(bool mouse_over_);
    virtual bool OnPlace(Board* board);
    virtual void OnClick(Board* board);
    // Acts as if clicked, so a bonus ball fires the same way when a group or a line takes it.
    virtual void OnRemove(Board* board);
    virtual void OnMove(Board* board);
    virtual bool IsAlive(unsigned int now);
    virtual std::string GetTypeName() const;
    // Same colour as another ball; bonus kinds refuse, so they never join a group.
    virtual bool CompareTo(const core::ptr<Ball>& other) const;

    // Inside the cell's rectangle moved by the offset, edges included.
    bool HitTest(const math::Vector2& point) const;
    // Places the ball (and its sprite) in a cell; the target cell is left alone.
    void MoveTo(const math::Position& cell);
    void MoveTo(int col_, int row_);
    void SetNoEffects(bool off);
    // A look by name ("random", "lightwave", "inserting"), as the kind names it in its sprite.
    void StartAnimation(const std::string& name);

    // Both hold balls and each agrees the other is alike.
    static bool Compare(const core::ptr<Ball>& a, const core::ptr<Ball>& b);

    bool IsPlaced() const { return placed; }
    bool IsOver() const { return over; }
    bool IsMouseOver() const { return mouse_over; }
    unsigned int GetColor() const { return color; }
    const core::ptr<game::Sprite>& GetSprite() const { return sprite; }
    const math::Vector2& GetCellSize() const { return cell_size; }

    // The cell the ball occupies, as MoveTo set it.
    int col = 0;
    int row = 0;
    // The cell the ball is moving to; equal to col and row at rest.
    int target_col = 0;
    int target_row = 0;
    // Drawing shift in screen units while the ball slides between cells.
    math::Vector2 offset;
    // Chained by the level: neither falls nor joins a group until a removal unlocks it.
    bool locked = false;

protected:
    Ball(const Ball&) = default;
    Ball& operator=(const Ball&) = delete;

    // The sprite's top-left corner for the ball's cell, plus a shift.
    void PlaceSprite(const math::Vector2& shift) const;
    void SetAnimation(const std::string& name) const;
    // The sprite's animation for a look: the look's own name, unless the kind's looks carry more in their
    // names.
    virtual std::string Look(const std::string& name) const;
    // "mouse_over" while hovered, else "over" or "default" as the highlight stands.
    std::string CurrentLook() const;

    bool placed = false;
    bool over = false;
    bool mouse_over = false;
    unsigned int color;
    core::ptr<game::Sprite> sprite;
    math::Vector2 cell_size;
};

}  // namespace cm
