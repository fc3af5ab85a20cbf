#pragma once

#include "Seaquell/board.h"
#include "Seaquell/level_view.h"
#include "vantle/core/ptr.h"
#include "vantle/core/value.h"
#include "vantle/gui/widgets/drawable_window.h"
#include "vantle/render/texture.h"

class TiXmlElement;

namespace cm {

// A frozen miniature of one level ("level_preview"), chosen by a script through the property "level_id":
// the level is loaded into the preview's own 22 by 16 board, updated once and paused, and drawn over a
// small background picture named by the level's option "background".
//
// The board is drawn at the parent's origin while the background follows the window's rectangle, so a
// layout gives each preview a container of its own and places the preview at (0, 0) in it. Loading a
// level goes through the board as a game would: it sets the context's "level_id", resets and pauses the
// current power-up set and takes over the board's named functors, so no screen holds a preview beside
// a live game window.
class LevelPreview : public gui::DrawableWindow {
public:
    static constexpr unsigned int kColumns = 22;
    static constexpr unsigned int kRows = 16;

    // No level yet: the fresh empty board and no background.
    explicit LevelPreview(TiXmlElement* element);
    ~LevelPreview() override;

    // The background, shifted 4 left and 3 down, then the board; no level of detail, clipping or alpha.
    void Render() override;
    // The view follows the board; the board itself stays frozen, and no "on_update" runs.
    void Update() override;

    // Shows the level of that index in the level set. An index the set lacks is logged and changes
    // nothing.
    void SetLevelId(const core::Value& value);
    // The index of the level shown, unset before the first level.
    core::Value GetLevelId() const;

    // "level_preview" with the window factory.
    static void Register();

    Board board;
    LevelView view;
    core::ptr<render::ITexture> back_texture;

private:
    void ChooseBackground(const game::LevelSet::Level& level);

    core::Value _level_id;
};

// The factory's creator for "level_preview".
gui::Window* CreateLevelPreview(TiXmlElement* element);

}  // namespace cm
