#include "Seaquell/level_view.h"

#include <cstdlib>
#include <cstring>
#include <functional>
#include <iterator>
#include <utility>
#include <vector>

#include "Seaquell/board.h"
#include "Seaquell/level_view_frames.h"
#include "vantle/core/log.h"
#include "vantle/effects/effect_manager.h"
#include "vantle/game/sprite.h"
#include "vantle/render/render.h"
#include "vantle/render/texture_cache.h"
#include "vantle/utils/tilemap.h"
#include "vantle/utils/timer.h"

namespace cm {

bool LevelView::data_loaded = false;
core::ptr<render::ITexture> LevelView::back_tx;
core::ptr<render::ITexture> LevelView::board_tx[kPlateLevels];
core::ptr<render::ITexture> LevelView::borders_tx[kPlateLevels];
core::ptr<render::ITexture> LevelView::frame_tx[kFramePieces];
render::Tile LevelView::lock_tile;
LevelView::FrameMap LevelView::frame_map;

namespace {

const char* const kBackFile = "data/gfx/board/board_01.png";
const char* const kPlateFiles[LevelView::kPlateLevels] = {
    "data/gfx/board/board_02.png", "data/gfx/board/board_03.png", "data/gfx/board/board_04.png"};
const char* const kBorderFiles[LevelView::kPlateLevels] = {
    "data/gfx/board/t_01h.png", "data/gfx/board/t_02h.png", "data/gfx/board/t_03h.png"};

const unsigned int kKeyLength = 8;
const unsigned int kQuadVertices = 6;
// The whole texture, as the borders and frame pieces are drawn on every cell.
const math::Rect kWhole(0.0f, 0.0f, 1.0f, 1.0f);
// Neighbours in key order.
const int kNeighbours[kKeyLength][2] = {{-1, -1}, {0, -1}, {1, -1}, {-1, 0}, {1, 0}, {-1, 1}, {0, 1}, {1, 1}};

core::ptr<render::ITexture> LoadTexture(const char* file) {
    core::ptr<render::ITexture> texture = render::TextureCache::instance()->Get(file);
    if (!texture) core::Log::instance()->Write("LevelView: can't load %s", file);
    return texture;
}

void FillRow(const frames::Row& row) {
    LevelView::FillFrameMap(row.pattern, row.f0, row.f1, row.f2, row.f3);
}

// A buffer for that many quads with its count set, or an empty pointer when the texture is missing:
// the layer then draws nothing.
core::ptr<render::IVertexBuffer> NewLayer(unsigned int quads, const core::ptr<render::ITexture>& texture) {
    if (!texture) return core::ptr<render::IVertexBuffer>();
    core::ptr<render::IVertexBuffer> buffer(render::Renderer().CreateVertexBuffer(quads * kQuadVertices));
    buffer->SetCount(quads * kQuadVertices);
    return buffer;
}

// Writes quad n of the buffer over the place, showing that part of the texture; skips an empty buffer.
void WriteQuad(const core::ptr<render::IVertexBuffer>& buffer, unsigned int n, const math::Rect& place,
               const render::ITexture* texture, const math::Rect& part, float alpha) {
    if (!buffer) return;
    const math::Rect uv = texture->get_abs_trect(part);
    const float left = uv.left * texture->GetScaleX();
    const float right = uv.right * texture->GetScaleX();
    const float top = uv.top * texture->GetScaleY();
    const float bottom = uv.bottom * texture->GetScaleY();
    const render::Color color(1.0f, 1.0f, 1.0f, alpha);
    const render::Vertex quad[kQuadVertices] = {
        {math::Vector3(place.left, place.top, 0), math::Vector2(left, top), color},
        {math::Vector3(place.right, place.top, 0), math::Vector2(right, top), color},
        {math::Vector3(place.right, place.bottom, 0), math::Vector2(right, bottom), color},
        {math::Vector3(place.right, place.bottom, 0), math::Vector2(right, bottom), color},
        {math::Vector3(place.left, place.bottom, 0), math::Vector2(left, bottom), color},
        {math::Vector3(place.left, place.top, 0), math::Vector2(left, top), color},
    };
    buffer->SetVertices(n * kQuadVertices, quad, kQuadVertices);
}

// Cell (c, r)'s part of a texture laid over the whole w x h board.
math::Rect Share(int c, int r, int w, int h) {
    const float left = static_cast<float>(c) / w;
    const float top = static_cast<float>(r) / h;
    return math::Rect(left, top, left + 1.0f / w, top + 1.0f / h);
}

void Draw(render::IRender& renderer, const core::ptr<render::IVertexBuffer>& buffer,
          const core::ptr<render::ITexture>& texture) {
    if (buffer) renderer.DrawVertexBuffer(buffer.get(), texture.get());
}

}  // namespace

LevelView::LevelView(const math::Rect& rect_, Board* board_, bool preview)
    : board(board_),
      rect(rect_),
      cell_width(rect_.Width() / static_cast<float>(board_->balls.width)),
      cell_height(rect_.Height() / static_cast<float>(board_->balls.height)) {
    BallFactory& factory = board->factory;
    factory.cell_size = math::Vector2(cell_width, cell_height);
    factory.resize_sprite = true;
    factory.sprite_size = math::Vector2(cell_width, cell_height);
    factory.no_effects = preview;
    Preload();
}

void LevelView::Update() {
    RebuildVB();
}

void LevelView::Reset() {
    back_vb.reset();
    Update();
}

void LevelView::Render() {
    const unsigned int now = utils::Timer::instance()->GetTime();
    render::IRender& renderer = render::Renderer();
    renderer.SetFilteringMode(render::IRender::FILTER_POINT);
    for (int f = 0; f < kFramePieces; ++f) Draw(renderer, frame_vb[f], frame_tx[f]);
    Draw(renderer, back_vb, back_tx);
    for (int k = 0; k < kPlateLevels; ++k) Draw(renderer, board_vb[k], board_tx[k]);
    for (int k = 0; k < kPlateLevels; ++k) Draw(renderer, borders_vb[k], borders_tx[k]);
    if (board->highlight_on && !board->paused) RenderHighlights();
    RenderBalls(now);
    board->local_effects.Render();
}

void LevelView::RenderHighlights() const {
    const game::Board<core::ptr<Ball>>& balls = board->balls;
    for (int r = 0; r < balls.height; ++r) {
        for (int c = 0; c < balls.width; ++c) {
            if (const core::ptr<game::Sprite>& highlight = board->highlights.Get(c, r)) highlight->Render();
        }
    }
}

void LevelView::RenderBalls(unsigned int now) const {
    const game::Board<core::ptr<Ball>>& balls = board->balls;
    for (int r = 0; r < balls.height; ++r) {
        for (int c = 0; c < balls.width; ++c) {
            // Held while drawn: a ball's update may end its own life on the board.
            const core::ptr<Ball> ball = balls.Get(c, r);
            if (!ball) continue;
            ball->Update(now);
            ball->Render();
            if (!ball->locked) continue;
            render::Renderer().DrawRect(CellPlace(c, r), lock_tile);
        }
    }
}

void LevelView::RebuildVB() {
    // Each old buffer goes before its new one is made.
    back_vb.reset();
    back_vb = BuildCellLayer(
        back_tx, true, [](const BoardCell& cell) { return cell.exists; }, true);
    for (int k = 0; k < kPlateLevels; ++k) {
        const auto plated = [k](const BoardCell& cell) { return cell.exists && cell.plate == k + 1; };
        board_vb[k].reset();
        borders_vb[k].reset();
        board_vb[k] = BuildCellLayer(board_tx[k], true, plated, false);
        borders_vb[k] = BuildCellLayer(borders_tx[k], false, plated, false);
    }
    RebuildFrame();
}

math::Rect LevelView::CellPlace(int col, int row) const {
    const float left = static_cast<float>(col) * cell_width;
    const float top = static_cast<float>(row) * cell_height;
    return math::Rect(left, top, left + cell_width, top + cell_height);
}

bool LevelView::IsBoardCell(int col, int row) const {
    return board->back_board.Contains(col, row) && board->back_board.Get(col, row).exists;
}

core::ptr<render::IVertexBuffer> LevelView::BuildCellLayer(const core::ptr<render::ITexture>& texture,
                                                           bool shared, const CellTest& shows,
                                                           bool even_empty) const {
    const int w = board->balls.width;
    const int h = board->balls.height;
    unsigned int quads = 0;
    for (int r = 0; r < h; ++r) {
        for (int c = 0; c < w; ++c) quads += shows(board->back_board.Get(c, r)) ? 1 : 0;
    }
    if (quads == 0 && !even_empty) return core::ptr<render::IVertexBuffer>();
    core::ptr<render::IVertexBuffer> buffer = NewLayer(quads, texture);
    if (!buffer) return buffer;
    buffer->Lock();
    unsigned int n = 0;
    for (int r = 0; r < h; ++r) {
        for (int c = 0; c < w; ++c) {
            if (!shows(board->back_board.Get(c, r))) continue;
            WriteQuad(buffer, n++, CellPlace(c, r), texture.get(), shared ? Share(c, r, w, h) : kWhole,
                      alpha);
        }
    }
    buffer->Unlock();
    return buffer;
}

std::string LevelView::NeighbourKey(int col, int row) const {
    std::string key(kKeyLength, '0');
    for (unsigned int i = 0; i < kKeyLength; ++i) {
        if (IsBoardCell(col + kNeighbours[i][0], row + kNeighbours[i][1])) key[i] = '1';
    }
    return key;
}

void LevelView::RebuildFrame() {
    // Every piece is counted before its buffer is made, so each buffer has exactly the room it needs.
    std::vector<std::pair<math::Rect, const std::vector<unsigned int>*>> placed;
    unsigned int counts[kFramePieces] = {};
    for (int r = -1; r <= board->balls.height; ++r) {
        for (int c = -1; c <= board->balls.width; ++c) {
            if (IsBoardCell(c, r)) continue;
            const FrameMap::const_iterator found = frame_map.find(NeighbourKey(c, r));
            if (found == frame_map.end()) continue;
            placed.emplace_back(CellPlace(c, r), &found->second);
            for (unsigned int f : found->second) ++counts[f];
        }
    }
    for (int f = 0; f < kFramePieces; ++f) {
        frame_vb[f].reset();
        if (counts[f] > 0) frame_vb[f] = NewLayer(counts[f], frame_tx[f]);
        if (frame_vb[f]) frame_vb[f]->Lock();
    }
    unsigned int written[kFramePieces] = {};
    for (const auto& [place, pieces] : placed) {
        for (unsigned int f : *pieces)
            WriteQuad(frame_vb[f], written[f]++, place, frame_tx[f].get(), kWhole, alpha);
    }
    for (const core::ptr<render::IVertexBuffer>& buffer : frame_vb) {
        if (buffer) buffer->Unlock();
    }
}

void LevelView::Preload() {
    if (data_loaded) return;
    core::Log::instance()->Write("LevelView::Preload");
    lock_tile = utils::TileMap("data/tilemaps/board.xml").GetWhite("lock");
    back_tx = LoadTexture(kBackFile);
    for (int k = 0; k < kPlateLevels; ++k) board_tx[k] = LoadTexture(kPlateFiles[k]);
    for (int k = 0; k < kPlateLevels; ++k) borders_tx[k] = LoadTexture(kBorderFiles[k]);
    for (int i = 0; i < kFramePieces; ++i) {
        frame_tx[i] = LoadTexture(frames::kPieceFiles[i]);
        FillRow(frames::kRows[i]);
    }
    for (int i = kFramePieces; i < frames::kRowCount; ++i) FillRow(frames::kRows[i]);
    data_loaded = true;

    // Registered after the services the textures were loaded through, so it runs before they go.
    static bool release_registered = false;
    if (!release_registered) {
        std::atexit(&LevelView::Unload);
        release_registered = true;
    }
}

void LevelView::Unload() {
    back_tx.reset();
    for (core::ptr<render::ITexture>& texture : board_tx) texture.reset();
    for (core::ptr<render::ITexture>& texture : borders_tx) texture.reset();
    for (core::ptr<render::ITexture>& texture : frame_tx) texture.reset();
    lock_tile = render::Tile();
    frame_map.clear();
    data_loaded = false;
}

void LevelView::FillFrameMap(const char* pattern, int f0, int f1, int f2, int f3) {
    if (!pattern || std::strlen(pattern) != kKeyLength || std::strspn(pattern, "01 ") != kKeyLength) {
        core::Log::instance()->Write("LevelView: bad frame pattern \"%s\"", pattern ? pattern : "");
        return;
    }
    std::vector<unsigned int> entries;
    const int given[] = {f0, f1, f2, f3};
    for (size_t i = 0; i < std::size(given); ++i) {
        // Only f0 must be there.
        if (i > 0 && given[i] < 0) continue;
        if (given[i] < 0 || given[i] >= kFramePieces) {
            core::Log::instance()->Write("LevelView: no frame piece %d for \"%s\"", given[i], pattern);
            return;
        }
        entries.push_back(static_cast<unsigned int>(given[i]));
    }
    std::vector<size_t> blanks;
    for (size_t i = 0; i < kKeyLength; ++i) {
        if (pattern[i] == ' ') blanks.push_back(i);
    }
    // Counting up from 1 and wrapping to 0 visits the all-'0' filling last; without blanks, once.
    const unsigned long fillings = 1ul << blanks.size();
    for (unsigned long count = 1; count <= fillings; ++count) {
        const unsigned long filling = count % fillings;
        std::string key(pattern);
        for (size_t b = 0; b < blanks.size(); ++b) key[blanks[b]] = (filling >> b) & 1 ? '1' : '0';
        std::vector<unsigned int>& listed = frame_map[key];
        listed.insert(listed.end(), entries.begin(), entries.end());
    }
}

}  // namespace cm
