#include "vantle/gui/widgets/dev/board_edit.h"

#include <tinyxml.h>

#include <cmath>

#include "vantle/core/log.h"
#include "vantle/core/strutils.h"
#include "vantle/gui/event.h"
#include "vantle/gui/window_factory.h"
#include "vantle/render/scopes.h"
#include "vantle/xml/attributes.h"

namespace gui {

namespace {

constexpr char kEmptyCell = '0';
const char* const kLayerEnd = ";";
// Beyond this many cells a side a layout is taken as broken rather than allocated.
constexpr unsigned int kMaxSide = 1024;
constexpr int kLeftButton = 0;
constexpr int kMiddleButton = 1;

}  // namespace

BoardEdit::DataLink::DataLink(const std::string& key, BoardEdit* owner) : Link(key), owner(owner) {}

void BoardEdit::DataLink::OnUpdate() {
    Link::OnUpdate();
    owner->Load();
}

BoardEdit::BoardEdit(TiXmlElement* element) : ClickableWindow(element) {
    ReadSize(element);
    bgcolor = render::ReadColor(element, "bgcolor", bgcolor);
    if (const char* name = xml::FindText(element, "key")) {
        key = name;
        core::Context::instance()->Set(DataKey(), core::Value(std::string()));
        data_link = core::ptr<DataLink>(new DataLink(DataKey(), this));
    }
    LoadLayers(element);
    Load();
}

BoardEdit::BoardEdit(const std::string& id, const math::Rect& rect, unsigned int board_w,
                     unsigned int board_h)
    : ClickableWindow(id, rect), board_w(board_w), board_h(board_h) {
    if (board_w > kMaxSide || board_h > kMaxSide) this->board_w = this->board_h = 0;
    AddLayer(nullptr);
}

BoardEdit::~BoardEdit() = default;

Window* CreateBoardEdit(TiXmlElement* element) {
    return new BoardEdit(element);
}

void BoardEdit::Register() {
    WindowFactory::instance()->Register("boardedit", &CreateBoardEdit);
    WindowFactory::instance()->Register("board_edit", &CreateBoardEdit);
}

void BoardEdit::ReadSize(TiXmlElement* element) {
    board_w = xml::ReadUnsigned(element, "board_w", 0);
    board_h = xml::ReadUnsigned(element, "board_h", 0);
    if (board_w == 0 || board_h == 0) {
        core::Log::instance()->Write("boardedit %s: no board_w or board_h, no grid", id.c_str());
    } else if (board_w > kMaxSide || board_h > kMaxSide) {
        core::Log::instance()->Write("boardedit %s: %u by %u cells is too large, no grid", id.c_str(),
                                     board_w, board_h);
    } else {
        return;
    }
    board_w = board_h = 0;
}

void BoardEdit::LoadLayers(TiXmlElement* element) {
    TiXmlElement* list = element ? element->FirstChildElement("layers") : nullptr;
    if (!list) return;
    for (TiXmlElement* layer = list->FirstChildElement("layer"); layer;
         layer = layer->NextSiblingElement("layer")) {
        AddLayer(layer->FirstChildElement("tilemap"));
    }
}

void BoardEdit::AddLayer(TiXmlElement* tilemap) {
    core::ptr<Layer> layer(new Layer());
    layer->board = core::ptr<game::Board<char>>(new game::Board<char>(int(board_w), int(board_h)));
    for (unsigned int x = 0; x < board_w; ++x) {
        for (unsigned int y = 0; y < board_h; ++y) layer->board->Set(int(x), int(y), kEmptyCell);
    }
    for (TiXmlElement* tile = tilemap ? tilemap->FirstChildElement() : nullptr; tile;
         tile = tile->NextSiblingElement()) {
        const std::string name = xml::ReadText(tile, "key", std::string(1, kEmptyCell));
        const char c = name.empty() ? '\0' : name[0];
        layer->tiles[c] = core::ptr<render::Tile>(new render::Tile(tile));
        core::Log::instance()->Write("set tilekey %i, %c", int(layers_count), c);
    }
    layers.push_back(layer);
    ++layers_count;
}

void BoardEdit::Load() {
    const std::string text = core::Context::instance()->Get(DataKey()).as_string();
    const std::size_t cells = std::size_t(board_w) * board_h;
    std::size_t i = 0;
    for (const std::string& piece : core::StringTokenizer(text, kLayerEnd)) {
        if (i >= layers.size()) break;
        game::Board<char>& board = *layers[i++]->board;
        if (piece.size() < cells) continue;
        for (unsigned int y = 0; y < board_h; ++y) {
            for (unsigned int x = 0; x < board_w; ++x) board.Set(int(x), int(y), piece[x + y * board_w]);
        }
    }
}

void BoardEdit::Save() {
    std::string text;
    for (const auto& layer : layers) {
        for (unsigned int y = 0; y < board_h; ++y) {
            for (unsigned int x = 0; x < board_w; ++x) text += layer->board->Get(int(x), int(y));
        }
        text += kLayerEnd;
    }
    core::Context::instance()->Set(DataKey(), core::Value(text));
}

bool BoardEdit::CellAt(const math::Vector2& point, int& x, int& y) const {
    const float fx = std::floor((point.x - rect.left) / (rect.Width() / float(board_w)));
    const float fy = std::floor((point.y - rect.top) / (rect.Height() / float(board_h)));
    // Written so that a not-a-number, from an empty rect or grid, is off the grid too.
    if (!(fx >= 0.0f && fx < float(board_w) && fy >= 0.0f && fy < float(board_h))) return false;
    x = int(fx);
    y = int(fy);
    return true;
}

void BoardEdit::Paint(Layer& layer, int x, int y, char c) {
    layer.board->Set(x, y, c);
    Save();
}

void BoardEdit::OnEvent(const Event& event) {
    int x = 0, y = 0;
    if (!CellAt(event.pos, x, y)) return;
    core::Context* context = core::Context::instance();
    const unsigned int index = context->Get(key + ".layer").as_uint32();
    const std::string chars = context->Get(key + ".char").as_string();
    const char c = chars.empty() ? '\0' : chars[0];
    if (index >= layers_count) return;
    Layer& layer = *layers[index];
    switch (event.type) {
        case Event::MOUSE_DOWN:
            if (event.param == kLeftButton) mode = MODE_PAINT;
            if (event.param == kMiddleButton) mode = MODE_ERASE;
            if (event.param == kLeftButton || event.param == kMiddleButton) {
                Paint(layer, x, y, mode == MODE_PAINT ? c : kEmptyCell);
            } else {
                Save();
            }
            return;
        case Event::MOUSE_MOVE:
            if (mode != MODE_IDLE) Paint(layer, x, y, mode == MODE_PAINT ? c : kEmptyCell);
            return;
        case Event::MOUSE_UP:
            mode = MODE_IDLE;
            Save();
            return;
        case Event::MOUSE_LEAVE:
            mode = MODE_IDLE;
            return;
        default:
            return;
    }
}

void BoardEdit::Render() {
    render::IRender& renderer = Renderer();
    renderer.DrawRect(rect, bgcolor);
    if (board_w == 0 || board_h == 0) return;
    const float cw = rect.Width() / float(board_w), ch = rect.Height() / float(board_h);
    render::WorldMatrixScope moved(renderer, math::Translation(rect.TopLeft()));
    for (const auto& layer : layers) {
        for (unsigned int x = 0; x < board_w; ++x) {
            for (unsigned int y = 0; y < board_h; ++y) {
                const auto tile = layer->tiles.find(layer->board->Get(int(x), int(y)));
                if (tile == layer->tiles.end() || !tile->second) continue;
                // Inset by one unit: the background shows as grid lines between the cells.
                const math::Rect cell(x * cw + 1.0f, y * ch + 1.0f, x * cw + cw - 1.0f, y * ch + ch - 1.0f);
                renderer.DrawRect(cell, *tile->second);
            }
        }
    }
}

}  // namespace gui
