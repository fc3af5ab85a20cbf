#pragma once

#include <cstring>

#include "vantle/render/base_texture.h"
#include "vantle/render/texture.h"

namespace render {

// The texture every image becomes: a view on one block of a shared page. Its 0 to 1 coordinates span
// the image inside the block's one-pixel border. Not copyable: each proxy holds one count on its block.
class ProxyTexture final : public ITexture {
public:
    // Neither may be null.
    ProxyTexture(BaseTexture* page, BaseTexture::Block* block);
    ~ProxyTexture() override;
    ProxyTexture(const ProxyTexture&) = delete;
    ProxyTexture& operator=(const ProxyTexture&) = delete;

    math::Vector2 get_abs_coord(const math::Vector2& point) const override;
    math::Rect get_abs_trect(const math::Rect& rect) const override {
        return IsWhole(rect) ? _whole : MapRect(rect);
    }

    float GetScaleX() const override { return 1.0f; }
    float GetScaleY() const override { return 1.0f; }
    void Lock(bool) override {}
    void Unlock() override {}
    unsigned int Get(unsigned int, unsigned int) const override { return 0; }
    void Set(unsigned int, unsigned int, const Color&) override {}
    void Set(unsigned int, unsigned int, unsigned int) override {}
    void Fill(const Color&) override {}

    BaseTexture* GetPage() const { return _page; }
    // What get_abs_trect gives for the whole image, (0, 0, 1, 1).
    const math::Rect& GetWholeRect() const { return _whole; }

    // Compared bit for bit: two word compares. A rectangle this misses maps the long way, to the same.
    static bool IsWhole(const math::Rect& r) {
        static constexpr math::Rect kWhole(0.0f, 0.0f, 1.0f, 1.0f);
        return std::memcmp(&r, &kWhole, sizeof r) == 0;
    }
    BaseTexture::Block* GetBlock() const { return _block; }

private:
    math::Rect MapRect(const math::Rect& rect) const;

    BaseTexture* _page;
    BaseTexture::Block* _block;
    // The whole image mapped, worked out once: most draws show the whole image.
    math::Rect _whole;
};

}  // namespace render
