#include "vantle/render/proxy_texture.h"

namespace render {

ProxyTexture::ProxyTexture(BaseTexture* page, BaseTexture::Block* block) : _page(page), _block(block) {
    ++_block->count;
    _whole = MapRect(math::Rect(0.0f, 0.0f, 1.0f, 1.0f));
}

ProxyTexture::~ProxyTexture() {
    --_block->count;
    if (_block->count > 0) return;
    _page->clear_unused_blocks();
    // An orphaned page has no renderer left to free it; its last texture does.
    if (_page->IsOrphaned() && _page->Empty()) delete _page;
}

math::Vector2 ProxyTexture::get_abs_coord(const math::Vector2& point) const {
    const math::Rect& r = _block->rect;
    const float side = static_cast<float>(_page->GetSide());
    const float inner_width = r.right - r.left - 2.0f;
    const float inner_height = r.bottom - r.top - 2.0f;
    return math::Vector2((inner_width * point.x + r.left + 1.0f) / side,
                         (inner_height * point.y + r.top + 1.0f) / side);
}

math::Rect ProxyTexture::MapRect(const math::Rect& rect) const {
    const math::Vector2 top_left = get_abs_coord(math::Vector2(rect.left, rect.top));
    const math::Vector2 bottom_right = get_abs_coord(math::Vector2(rect.right, rect.bottom));
    return math::Rect(top_left.x, top_left.y, bottom_right.x, bottom_right.y);
}

}  // namespace render
