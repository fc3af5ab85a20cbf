#include "Seaquell/level_view.h"

#include <cstdlib>
#include <cstring>
#include <iterator>

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

void Lock(const core::ptr<render::IVertexBuffer>& buffer) {
    if (buffer) buffer->Lock();
}

void Unlock(const core::ptr<render::IVertexBuffer>& buffer) {
    if (buffer) buffer->Unlock();
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
    RebuildBackground();
    RebuildPlates();
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

void LevelView::RebuildBackground() {
    const int w = board->balls.width;
    const int h = board->balls.height;
    unsigned int cells = 0;
    for (int r = 0; r < h; ++r) {
        for (int c = 0; c < w; ++c) cells += board->back_board.Get(c, r).exists ? 1 : 0;
    }
    back_vb.reset();
    back_vb = NewLayer(cells, back_tx);
    if (!back_vb) return;
    back_vb->Lock();
    unsigned int n = 0;
    for (int r = 0; r < h; ++r) {
        for (int c = 0; c < w; ++c) {
            if (!board->back_board.Get(c, r).exists) continue;
            WriteQuad(back_vb, n++, CellPlace(c, r), back_tx.get(), Share(c, r, w, h), alpha);
        }
    }
    back_vb->Unlock();
}

void LevelView::RebuildPlates() {
    const int w = board->balls.width;
    const int h = board->balls.height;
    unsigned int plated[kPlateLevels] = {};
    for (int r = 0; r < h; ++r) {
        for (int c = 0; c < w; ++c) {
            const BoardCell& cell = board->back_board.Get(c, r);
            if (cell.exists && cell.plate >= 1 && cell.plate <= kPlateLevels) ++plated[cell.plate - 1];
        }
    }
    for (int k = 0; k < kPlateLevels; ++k) {
        board_vb[k].reset();
        borders_vb[k].reset();
        if (plated[k] == 0) continue;
        board_vb[k] = NewLayer(plated[k], board_tx[k]);
        borders_vb[k] = NewLayer(plated[k], borders_tx[k]);
        Lock(board_vb[k]);
        Lock(borders_vb[k]);
        unsigned int n = 0;
        for (int r = 0; r < h; ++r) {
            for (int c = 0; c < w; ++c) {
                const BoardCell& cell = board->back_board.Get(c, r);
                if (!cell.exists || cell.plate != k + 1) continue;
                const math::Rect place = CellPlace(c, r);
                WriteQuad(board_vb[k], n, place, board_tx[k].get(), Share(c, r, w, h), alpha);
                WriteQuad(borders_vb[k], n, place, borders_tx[k].get(), kWhole, alpha);
                ++n;
            }
        }
        Unlock(board_vb[k]);
        Unlock(borders_vb[k]);
    }
}

std::string LevelView::NeighbourKey(int col, int row) const {
    std::string key(kKeyLength, '0');
    for (unsigned int i = 0; i < kKeyLength; ++i) {
        if (IsBoardCell(col + kNeighbours[i][0], row + kNeighbours[i][1])) key[i] = '1';
    }
    return key;
}

void LevelView::RebuildFrame() {
    const int w = board->balls.width;
    const int h = board->balls.height;
    // The pieces of each extended-grid position, row by row from (-1, -1); null for none.
    std::vector<const std::vector<unsigned int>*> pieces;
    pieces.reserve(static_cast<size_t>((w + 2) * (h + 2)));
    unsigned int counts[kFramePieces] = {};
    for (int r = -1; r <= h; ++r) {
        for (int c = -1; c <= w; ++c) {
            const std::vector<unsigned int>* listed = nullptr;
            if (!IsBoardCell(c, r)) {
                const FrameMap::const_iterator found = frame_map.find(NeighbourKey(c, r));
                if (found != frame_map.end()) listed = &found->second;
            }
            pieces.push_back(listed);
            if (listed) {
                for (unsigned int f : *listed) ++counts[f];
            }
        }
    }
    for (int f = 0; f < kFramePieces; ++f) {
        frame_vb[f].reset();
        if (counts[f] > 0) frame_vb[f] = NewLayer(counts[f], frame_tx[f]);
        Lock(frame_vb[f]);
    }
    unsigned int written[kFramePieces] = {};
    size_t position = 0;
    for (int r = -1; r <= h; ++r) {
        for (int c = -1; c <= w; ++c) {
            const std::vector<unsigned int>* listed = pieces[position++];
            if (!listed) continue;
            for (unsigned int f : *listed)
                WriteQuad(frame_vb[f], written[f]++, CellPlace(c, r), frame_tx[f].get(), kWhole, alpha);
        }
    }
    for (const core::ptr<render::IVertexBuffer>& buffer : frame_vb) Unlock(buffer);
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
