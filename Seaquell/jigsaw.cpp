#include "Seaquell/jigsaw.h"

#include <cmath>
#include <string>

#include "Seaquell/owned_functors.h"
#include "vantle/core/context.h"
#include "vantle/core/functor_factory.h"
#include "vantle/core/log.h"
#include "vantle/core/random.h"
#include "vantle/effects/effect.h"
#include "vantle/gui/event.h"
#include "vantle/gui/window_factory.h"
#include "vantle/math/mat4.h"
#include "vantle/render/render.h"
#include "vantle/render/texture_cache.h"
#include "vantle/utils/timer.h"

namespace cm {

const math::Position Jigsaw::kNone(1000, 1000);

bool Jigsaw::data_loaded = false;
core::ptr<effects::Effect> Jigsaw::place_effect;
core::ptr<effects::Effect> Jigsaw::place_orig_effect;
core::ptr<effects::Effect> Jigsaw::swap_effect;
core::ptr<effects::Effect> Jigsaw::swap_result_effect;
core::ptr<effects::Effect> Jigsaw::swap_result2_effect;
core::ptr<effects::Effect> Jigsaw::no_way_effect;
core::ptr<effects::Effect> Jigsaw::win_effect;
render::Tile Jigsaw::normal_border;
render::Tile Jigsaw::active_border;
render::Tile Jigsaw::start_border;

namespace {

const char kImageKey[] = "jigsaw_image";
const char kFallbackImage[] = "data/gfx/backgrounds/walps/04_wp_x1280b.jpg";
const float kBackdropAlpha = 0.5f;

enum Button { kLeft = 0 };

const NamedAction<Jigsaw> kFunctors[] = {
    {"jigsaw_reset", &Jigsaw::Reset},
    {"jigsaw_pause", &Jigsaw::Pause},
    {"jigsaw_resume", &Jigsaw::Resume},
    {"jigsaw_stop_effect", &Jigsaw::StopEffect},
};

struct EffectFile {
    core::ptr<effects::Effect>* prototype;
    const char* file;
};

const EffectFile kEffectFiles[] = {
    {&Jigsaw::place_effect, "data/effects/jigsaw/place.xml"},
    {&Jigsaw::place_orig_effect, "data/effects/jigsaw/place_orig.xml"},
    {&Jigsaw::swap_effect, "data/effects/jigsaw/swap.xml"},
    {&Jigsaw::swap_result_effect, "data/effects/jigsaw/swap_result.xml"},
    {&Jigsaw::swap_result2_effect, "data/effects/jigsaw/swap_result2.xml"},
    {&Jigsaw::no_way_effect, "data/effects/jigsaw/no_way.xml"},
    {&Jigsaw::win_effect, "data/effects/jigsaw/win.xml"},
};

struct BorderFile {
    render::Tile* tile;
    const char* file;
};

const BorderFile kBorderFiles[] = {
    {&Jigsaw::normal_border, "data/gfx/jigsaw_border_normal.png"},
    {&Jigsaw::active_border, "data/gfx/jigsaw_border_active.png"},
    {&Jigsaw::start_border, "data/gfx/jigsaw_border_start.png"},
};

unsigned int Now() {
    return utils::Timer::instance()->GetTime();
}

}  // namespace

Jigsaw::Jigsaw(TiXmlElement* element) : gui::ClickableWindow(element) {
    SetEnabled(true);
    Preload();
    RegisterFunctors();
    LoadPicture();
    board = core::ptr<Grid>(new Grid(width, height));
    CutPicture();
    Shuffle();
    first_click = true;
    swapping = false;
}

Jigsaw::~Jigsaw() {
    win_puppy.Stop();
    // A later jigsaw may hold the names by now; only this window's own entries go.
    WithdrawOwnedFunctors(kFunctors, _functors);
}

void Jigsaw::RegisterFunctors() {
    RegisterOwnedFunctors(this, kFunctors, _functors);
}

void Jigsaw::LoadPicture() {
    render::TextureCache* textures = render::TextureCache::instance();
    image = textures->Get(core::Context::instance()->Get(kImageKey).as_string());
    if (!image) image = textures->Get(kFallbackImage);
}

void Jigsaw::CutPicture() {
    const float w = static_cast<float>(width), h = static_cast<float>(height);
    for (int x = 0; x < width; ++x) {
        for (int y = 0; y < height; ++y) {
            Tile& tile = board->Get(x, y);
            const math::Rect part(x / w, y / h, (x + 1) / w, (y + 1) / h);
            tile.piece = render::Tile(image, part);
            tile.home = math::Position(x, y);
            tile.moving = false;
        }
    }
}

void Jigsaw::Shuffle() {
    core::Random* random = core::Random::instance();
    for (int i = 0; i < kShuffleSwaps; ++i) {
        const int ax = random->GetInt(0, width - 1);
        const int ay = random->GetInt(0, height - 1);
        const int bx = random->GetInt(0, width - 1);
        const int by = random->GetInt(0, height - 1);
        Swap(math::Position(ax, ay), math::Position(bx, by));
    }
}

void Jigsaw::Preload() {
    if (data_loaded) return;
    for (const EffectFile& entry : kEffectFiles)
        *entry.prototype = core::ptr<effects::Effect>(new effects::Effect(entry.file));
    for (const BorderFile& entry : kBorderFiles)
        *entry.tile = render::Tile(render::TextureCache::instance()->Get(entry.file));
    data_loaded = true;
    // The textures live on the renderer's pages, which go with the singletons at exit.
    static bool release_registered = false;
    if (!release_registered) {
        std::atexit(&Jigsaw::Unload);
        release_registered = true;
    }
}

void Jigsaw::Unload() {
    for (const EffectFile& entry : kEffectFiles) entry.prototype->reset();
    for (const BorderFile& entry : kBorderFiles) *entry.tile = render::Tile();
    data_loaded = false;
}

void Jigsaw::Register() {
    gui::WindowFactory::instance()->Register("jigsaw_board", &CreateJigsawGame);
}

gui::Window* CreateJigsawGame(TiXmlElement* element) {
    return new Jigsaw(element);
}

float Jigsaw::CellWidth() const {
    return (rect.right - rect.left) / static_cast<float>(width);
}

float Jigsaw::CellHeight() const {
    return (rect.bottom - rect.top) / static_cast<float>(height);
}

math::Vector2 Jigsaw::CellCorner(const math::Position& cell) const {
    return math::Vector2(CellWidth() * static_cast<float>(cell.x), CellHeight() * static_cast<float>(cell.y));
}

math::Rect Jigsaw::CellRect(const math::Vector2& corner) const {
    return math::Rect(corner.x, corner.y, corner.x + CellWidth(), corner.y + CellHeight());
}

bool Jigsaw::CellAt(const math::Vector2& pos, math::Position& cell) const {
    const float column = std::floor(pos.x / CellWidth());
    const float row = std::floor(pos.y / CellHeight());
    // Compared as floats: a point far away, or a window without size, never reaches the conversion.
    if (!(column >= 0.0f && column < static_cast<float>(width))) return false;
    if (!(row >= 0.0f && row < static_cast<float>(height))) return false;
    cell = math::Position(static_cast<int>(column), static_cast<int>(row));
    return true;
}

bool Jigsaw::IsHome(const math::Position& cell) const {
    return board->Get(cell.x, cell.y).home == cell;
}

void Jigsaw::Swap(const math::Position& a, const math::Position& b) {
    const Tile first = board->Get(a.x, a.y);
    board->Set(a.x, a.y, board->Get(b.x, b.y));
    board->Set(b.x, b.y, first);
}

void Jigsaw::OnEvent(const gui::Event& event) {
    const math::Vector2 local(event.pos.x - rect.left, event.pos.y - rect.top);
    switch (event.type) {
        case gui::Event::MOUSE_MOVE:
            MouseMove(local);
            break;
        case gui::Event::MOUSE_DOWN:
            if (event.param == kLeft) OnMouseDown(local);
            break;
        case gui::Event::MOUSE_UP:
            if (event.param == kLeft) OnMouseUp(local);
            break;
        default:
            break;
    }
}

void Jigsaw::MouseMove(const math::Vector2& pos) {
    math::Position cell;
    if (CellAt(pos, cell)) hovered = cell;
}

void Jigsaw::OnMouseDown(const math::Vector2& pos) {
    if (swapping) return;
    math::Position cell;
    if (!CellAt(pos, cell)) return;
    if (IsHome(cell)) {
        StartEffect(cell, no_way_effect);
        return;
    }
    if (first_click) {
        selected = cell;
        first_click = false;
        return;
    }
    StartSwap(cell);
}

void Jigsaw::StartSwap(const math::Position& cell) {
    swap_to = cell;
    swapping = true;
    first_click = true;
    swap_from = selected;
    swap_start = Now();
    for (const math::Position& end : {swap_from, swap_to}) {
        Tile& tile = board->Get(end.x, end.y);
        tile.moving = true;
        tile.pos = CellCorner(end);
    }
}

void Jigsaw::OnMouseUp(const math::Vector2&) {
    if (won) CallHandler("on_win");
}

void Jigsaw::Update() {
    gui::Window::Update();
    if (!swapping) return;
    const unsigned int elapsed = Now() - swap_start;
    AnimateSwap(elapsed);
    if (elapsed < swap_time) return;
    EndSwap();
}

void Jigsaw::AnimateSwap(unsigned int elapsed) {
    const float k = static_cast<float>(elapsed) / static_cast<float>(swap_time);
    const math::Vector2 a = CellCorner(swap_from), b = CellCorner(swap_to);
    board->Get(swap_from.x, swap_from.y).pos = math::Vector2::Lerp(a, b, k);
    board->Get(swap_to.x, swap_to.y).pos = math::Vector2::Lerp(b, a, k);
}

void Jigsaw::EndSwap() {
    swapping = false;
    Swap(swap_from, swap_to);
    board->Get(swap_from.x, swap_from.y).moving = false;
    board->Get(swap_to.x, swap_to.y).moving = false;
    int placed = 0;
    for (const math::Position& end : {swap_from, swap_to}) {
        const bool home = IsHome(end);
        placed += home ? 1 : 0;
        StartEffect(end, home ? place_orig_effect : place_effect);
    }
    const core::ptr<effects::Effect>* results[] = {&swap_effect, &swap_result_effect, &swap_result2_effect};
    StartEffect(swap_from, *results[placed]);
    selected = kNone;
    hovered = kNone;
    CheckWin();
    if (won) CallHandler("after_win");
}

void Jigsaw::CheckWin() {
    if (won) return;
    for (int x = 0; x < width; ++x) {
        for (int y = 0; y < height; ++y) {
            if (!IsHome(math::Position(x, y))) return;
        }
    }
    won = true;
    if (!win_effect) return;
    const core::ptr<effects::Effect> effect(win_effect->Clone());
    effect->MoveTo(math::Vector2((rect.left + rect.right) / 2.0f, (rect.top + rect.bottom) / 2.0f));
    win_puppy = effects::EffectManager::instance()->StartEffectWithPuppy(effect);
}

void Jigsaw::StartEffect(const math::Position& cell, const core::ptr<effects::Effect>& prototype) {
    if (!prototype) return;
    const core::ptr<effects::Effect> effect(prototype->Clone());
    const math::Vector2 corner = CellCorner(cell);
    effect->MoveTo(
        math::Vector2(rect.left + corner.x + CellWidth() / 2.0f, rect.top + corner.y + CellHeight() / 2.0f));
    effects::EffectManager::instance()->StartEffect(effect);
}

void Jigsaw::Reset() {
    won = false;
    selected = kNone;
    hovered = kNone;
    // Otherwise the next click would swap with the cell "none", far off the grid.
    first_click = true;
}

void Jigsaw::StopEffect() {
    win_puppy.Stop();
}

const render::Tile& Jigsaw::FrameOf(const math::Position& cell) const {
    if (cell == selected) return start_border;
    if (cell == hovered) return active_border;
    return normal_border;
}

void Jigsaw::Render() {
    const RenderScope scope(*this);
    if (!scope) return;
    render::IRender& renderer = Renderer();
    if (image)
        renderer.DrawRect(rect, render::Color(1.0f, 1.0f, 1.0f, kBackdropAlpha), image.get(),
                          math::Rect(0.0f, 0.0f, 1.0f, 1.0f));
    renderer.PushWorldMatrix();
    renderer.MultWorldMatrix(math::Translation(rect.TopLeft()));
    renderer.SetFilteringMode(render::IRender::FILTER_LINEAR);
    RenderResting(renderer);
    RenderMoving(renderer);
    renderer.PopWorldMatrix();
}

void Jigsaw::RenderResting(render::IRender& renderer) const {
    for (int x = 0; x < width; ++x) {
        for (int y = 0; y < height; ++y) {
            const math::Position cell(x, y);
            const Tile& tile = board->Get(x, y);
            if (tile.moving) continue;
            const math::Rect place = CellRect(CellCorner(cell));
            if (image) renderer.DrawRect(place, tile.piece);
            if (!IsHome(cell)) renderer.DrawRect(place, FrameOf(cell));
        }
    }
}

void Jigsaw::RenderMoving(render::IRender& renderer) const {
    if (!image) return;
    for (int x = 0; x < width; ++x) {
        for (int y = 0; y < height; ++y) {
            const Tile& tile = board->Get(x, y);
            if (tile.moving) renderer.DrawRect(CellRect(tile.pos), tile.piece);
        }
    }
}

}  // namespace cm
