#include <cstdlib>
#include <iterator>

#include "Seaquell/board.h"
#include "vantle/core/strutils.h"
#include "vantle/effects/effect.h"
#include "vantle/game/sprite.h"
#include "vantle/utils/tilemap.h"

namespace cm {

bool Board::data_loaded = false;
render::Tile Board::board_tile;
render::Tile Board::emitter_tile;
render::Tile Board::lock_tile;
render::Tile Board::plate_tile[5];
core::ptr<game::Sprite> Board::highlight_sprite;
core::ptr<game::Sprite> Board::highlight2_sprite;
std::map<unsigned int, core::ptr<effects::Effect>> Board::ball_remove_effects;
std::map<unsigned int, core::ptr<effects::Effect>> Board::all_ball_remove_effects;
core::ptr<effects::Effect> Board::plate_remove_effects[3];
core::ptr<effects::Effect> Board::remove_row_effect;
core::ptr<effects::Effect> Board::remove_col_effect;
core::ptr<effects::Effect> Board::remove_row2_effect;
core::ptr<effects::Effect> Board::remove_col2_effect;
core::ptr<effects::Effect> Board::remove_row3_effect;
core::ptr<effects::Effect> Board::remove_col3_effect;
core::ptr<effects::Effect> Board::remove_cross_effect;
core::ptr<effects::Effect> Board::remove_diag_left_effect;
core::ptr<effects::Effect> Board::remove_diag_right_effect;
core::ptr<effects::Effect> Board::remove_diag_cross_effect;
core::ptr<effects::Effect> Board::remove_token_effect;
core::ptr<effects::Effect> Board::remove_token5_effect;
core::ptr<effects::Effect> Board::remove_token10_effect;
core::ptr<effects::Effect> Board::ball_drop_effect;
core::ptr<effects::Effect> Board::noresult_effect;
core::ptr<effects::Effect> Board::remove_block_effect;
core::ptr<effects::Effect> Board::remove_block0_effect;
core::ptr<effects::Effect> Board::remove_block2_effect;
core::ptr<effects::Effect> Board::remove_block_snd_effect;
core::ptr<effects::Effect> Board::remove_block0_snd_effect;
core::ptr<effects::Effect> Board::remove_block2_snd_effect;
core::ptr<effects::Effect> Board::remove_block_chain_snd_effect;
core::ptr<effects::Effect> Board::remove_block_chain2_snd_effect;
core::ptr<effects::Effect> Board::unlock_effect;
core::ptr<effects::Effect> Board::remove_add_time_effect;
core::ptr<effects::Effect> Board::remove_color_effect;
core::ptr<effects::Effect> Board::remove_plates_effect;
core::ptr<effects::Effect> Board::recolor_cell_effect;
core::ptr<effects::Effect> Board::recolor_effect;
core::ptr<effects::Effect> Board::recolor2_effect;
core::ptr<effects::Effect> Board::recolor3_effect;
core::ptr<effects::Effect> Board::reshuffle_effect;
core::ptr<effects::Effect> Board::reshuffle2_effect;
core::ptr<effects::Effect> Board::reshuffle3_effect;
core::ptr<effects::Effect> Board::remove_rbs_effect;
core::ptr<effects::Effect> Board::remove_rb_effect;
core::ptr<effects::Effect> Board::rnd_bombs_effect;
core::ptr<effects::Effect> Board::insert_bomb_effect;
core::ptr<effects::Effect> Board::restore_plate_effect;
core::ptr<effects::Effect> Board::makebadball_effect;
core::ptr<effects::Effect> Board::wow1_effect;
core::ptr<effects::Effect> Board::wow2_effect;
core::ptr<effects::Effect> Board::wow3_effect;
core::ptr<effects::Effect> Board::score_effect;
core::ptr<effects::Effect> Board::bonus_score_effect;

namespace {

struct Template {
    core::ptr<effects::Effect>* effect;
    const char* file;
};

// The single effect templates in loading order.
const Template kTemplates[] = {
    {&Board::remove_row_effect, "data/effects/b_remove_row.xml"},
    {&Board::remove_col_effect, "data/effects/b_remove_col.xml"},
    {&Board::remove_row2_effect, "data/effects/b_remove_row2.xml"},
    {&Board::remove_col2_effect, "data/effects/b_remove_col2.xml"},
    {&Board::remove_row3_effect, "data/effects/b_remove_row3.xml"},
    {&Board::remove_col3_effect, "data/effects/b_remove_col3.xml"},
    {&Board::remove_cross_effect, "data/effects/b_remove_cross.xml"},
    {&Board::remove_diag_left_effect, "data/effects/b_remove_diag_left.xml"},
    {&Board::remove_diag_right_effect, "data/effects/b_remove_diag_right.xml"},
    {&Board::remove_diag_cross_effect, "data/effects/b_remove_diag_cross.xml"},
    {&Board::remove_token_effect, "data/effects/remove_token.xml"},
    {&Board::remove_token5_effect, "data/effects/remove_token5.xml"},
    {&Board::remove_token10_effect, "data/effects/remove_token10.xml"},
    {&Board::ball_drop_effect, "data/effects/ball_drop.xml"},
    {&Board::noresult_effect, "data/effects/noresult.xml"},
    {&Board::remove_block_effect, "data/effects/b_remove_block.xml"},
    {&Board::remove_block0_effect, "data/effects/b_remove_block0.xml"},
    {&Board::remove_block2_effect, "data/effects/b_remove_block2.xml"},
    {&Board::remove_block_snd_effect, "data/effects/b_remove_block_snd.xml"},
    {&Board::remove_block0_snd_effect, "data/effects/b_remove_block0_snd.xml"},
    {&Board::remove_block2_snd_effect, "data/effects/b_remove_block2_snd.xml"},
    {&Board::remove_block_chain_snd_effect, "data/effects/b_remove_block_chain_snd.xml"},
    {&Board::remove_block_chain2_snd_effect, "data/effects/b_remove_block_chain2_snd.xml"},
    {&Board::unlock_effect, "data/effects/unlock.xml"},
    {&Board::remove_add_time_effect, "data/effects/add_time.xml"},
    {&Board::plate_remove_effects[0], "data/effects/remove_plate0.xml"},
    {&Board::plate_remove_effects[1], "data/effects/remove_plate1.xml"},
    {&Board::plate_remove_effects[2], "data/effects/remove_plate2.xml"},
    {&Board::remove_color_effect, "data/effects/remove_color.xml"},
    {&Board::remove_plates_effect, "data/effects/remove_plates.xml"},
    {&Board::recolor_cell_effect, "data/effects/recolor_cell.xml"},
    {&Board::recolor_effect, "data/effects/recolor.xml"},
    {&Board::recolor2_effect, "data/effects/recolor2.xml"},
    {&Board::recolor3_effect, "data/effects/recolor3.xml"},
    {&Board::reshuffle_effect, "data/effects/reshuffle.xml"},
    {&Board::reshuffle2_effect, "data/effects/reshuffle2.xml"},
    {&Board::reshuffle3_effect, "data/effects/reshuffle3.xml"},
    {&Board::remove_rbs_effect, "data/effects/remove_rbs.xml"},
    {&Board::remove_rb_effect, "data/effects/remove_rb.xml"},
    {&Board::rnd_bombs_effect, "data/effects/rnd_bombs.xml"},
    {&Board::insert_bomb_effect, "data/effects/insert_bomb.xml"},
    {&Board::restore_plate_effect, "data/effects/restore_plate.xml"},
    {&Board::makebadball_effect, "data/effects/makebadball.xml"},
    {&Board::wow1_effect, "data/effects/wow1.xml"},
    {&Board::wow2_effect, "data/effects/wow2.xml"},
    {&Board::wow3_effect, "data/effects/wow3.xml"},
    {&Board::score_effect, "data/effects/score.xml"},
    {&Board::bonus_score_effect, "data/effects/bonus_score.xml"},
};

const unsigned int kBallColors = 8;
// Centre of a cell, as a share of its size.
const float kCentre = 0.5f;

core::ptr<effects::Effect> LoadEffect(const std::string& file) {
    return core::ptr<effects::Effect>(new effects::Effect(file));
}

}  // namespace

void Board::Preload() {
    if (data_loaded) return;
    const utils::TileMap tiles("data/tilemaps/board.xml");
    board_tile = tiles.GetWhite("board");
    emitter_tile = tiles.GetWhite("emitter");
    lock_tile = tiles.GetWhite("lock");
    for (size_t i = 0; i < std::size(plate_tile); ++i)
        plate_tile[i] = tiles.GetWhite("plate" + core::unsigned2str(i + 1));

    highlight_sprite = core::ptr<game::Sprite>(new game::Sprite("data/sprites/highlight.xml"));
    highlight2_sprite = core::ptr<game::Sprite>(new game::Sprite("data/sprites/highlight2.xml"));
    for (unsigned int i = 0; i < kBallColors; ++i) {
        ball_remove_effects[i] = LoadEffect("data/effects/remove_ball" + core::unsigned2str(i) + ".xml");
        all_ball_remove_effects[i] =
            LoadEffect("data/effects/all_ball_remove" + core::unsigned2str(i) + ".xml");
    }
    for (const Template& entry : kTemplates) *entry.effect = LoadEffect(entry.file);
    data_loaded = true;

    // Registered after the services the artwork was loaded through, so it runs before they are torn down.
    static bool release_registered = false;
    if (!release_registered) {
        std::atexit(&Board::Unload);
        release_registered = true;
    }
}

void Board::Unload() {
    board_tile = emitter_tile = lock_tile = render::Tile();
    for (render::Tile& tile : plate_tile) tile = render::Tile();
    highlight_sprite.reset();
    highlight2_sprite.reset();
    ball_remove_effects.clear();
    all_ball_remove_effects.clear();
    for (const Template& entry : kTemplates) entry.effect->reset();
    data_loaded = false;
}

void Board::StartEffect(const math::Position& cell, const core::ptr<effects::Effect>& effect) {
    if (StartsNothing(effect)) return;
    StartCopy(cell, effect->Clone());
}

void Board::StartEffect(const math::Position& cell, const core::ptr<effects::Effect>& effect,
                        const std::string& text) {
    if (StartsNothing(effect)) return;
    StartCopy(cell, effect->Clone(text));
}

bool Board::StartsNothing(const core::ptr<effects::Effect>& effect) const {
    // A template whose file was missing is an empty node.
    return preview || no_effects || !effect || effect->GetChilds().empty();
}

void Board::StartCopy(const math::Position& cell, effects::Effect* copy) {
    const core::ptr<effects::Effect> started(copy);
    started->MoveTo(math::Vector2(cell_width * static_cast<float>(cell.x) + cell_width * kCentre,
                                  cell_height * static_cast<float>(cell.y) + cell_height * kCentre));
    local_effects.StartEffect(started);
}

}  // namespace cm
