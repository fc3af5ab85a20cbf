#include "Seaquell/level_preview.h"

#include <string>

#include "vantle/core/log.h"
#include "vantle/game/levelset.h"
#include "vantle/gui/window_factory.h"
#include "vantle/math/mat4.h"
#include "vantle/render/render.h"
#include "vantle/render/texture_cache.h"

namespace cm {

namespace {

const char kMinibacksDir[] = "data/gfx/backgrounds/minibacks/";
const char kFallbackBackground[] = "data/gfx/backgrounds/minibacks/01_01.png";
// Where the background lies against the board's own picture.
const math::Vector2 kBackgroundShift(-4.0f, 3.0f);

}  // namespace

LevelPreview::LevelPreview(TiXmlElement* element)
    : gui::DrawableWindow(element), board(kColumns, kRows), view(GetRect(), &board, true) {
    // Sized as the game window sizes its board, so clicks and effects would land in the cells drawn.
    board.cell_width = view.cell_width;
    board.cell_height = view.cell_height;
    board.no_effects = true;
    properties.Add("level_id", new core::Property<LevelPreview>(this, &LevelPreview::GetLevelId,
                                                                &LevelPreview::SetLevelId));
}

LevelPreview::~LevelPreview() {
    back_texture.reset();
}

void LevelPreview::SetLevelId(const core::Value& value) {
    const unsigned int id = value.as_uint32();
    const core::ptr<game::LevelSet::Level> level = game::LevelSet::instance()->GetLevel(static_cast<int>(id));
    if (!level) {
        core::Log::instance()->Write("LevelPreview: no level %s", value.as_string().c_str());
        return;
    }
    board.LoadLevel(level);
    board.Update();
    board.Pause();
    view.Reset();
    ChooseBackground(*level);
    _level_id = core::Value(id);
}

core::Value LevelPreview::GetLevelId() const {
    return _level_id;
}

void LevelPreview::ChooseBackground(const game::LevelSet::Level& level) {
    render::TextureCache* textures = render::TextureCache::instance();
    back_texture = textures->Get(kMinibacksDir + level.Get("background").as_string() + ".png");
    if (!back_texture) back_texture = textures->Get(kFallbackBackground);
}

void LevelPreview::Update() {
    view.Update();
}

void LevelPreview::Render() {
    if (back_texture) {
        render::IRender& renderer = Renderer();
        renderer.PushWorldMatrix();
        renderer.MultWorldMatrix(math::Translation(kBackgroundShift));
        renderer.DrawRect(GetRect(), render::Color(1.0f, 1.0f, 1.0f, 1.0f), back_texture.get(),
                          math::Rect(0.0f, 0.0f, 1.0f, 1.0f));
        renderer.PopWorldMatrix();
    }
    view.Render();
}

void LevelPreview::Register() {
    gui::WindowFactory::instance()->Register("level_preview", &CreateLevelPreview);
}

gui::Window* CreateLevelPreview(TiXmlElement* element) {
    return new LevelPreview(element);
}

}  // namespace cm
