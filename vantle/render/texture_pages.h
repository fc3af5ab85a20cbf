#pragma once

#include <cstddef>
#include <memory>
#include <vector>

#include "vantle/render/bitmap.h"
#include "vantle/render/proxy_texture.h"

namespace render {

// A renderer's list of texture pages, in order of creation. Page is a BaseTexture made from its side.
template <class Page>
class TexturePages {
public:
    explicit TexturePages(unsigned int side) : _side(side) {}
    // Pages that textures still use are handed over to those textures (see BaseTexture::Orphan).
    ~TexturePages() {
        for (Page* page : _pages) {
            page->clear_unused_blocks();
            if (page->Empty()) {
                delete page;
            } else {
                page->Orphan();
            }
        }
    }
    TexturePages(const TexturePages&) = delete;
    TexturePages& operator=(const TexturePages&) = delete;

    // Whether a page could hold a bitmap of that size at all.
    bool Fits(const Bitmap& bitmap) const {
        return bitmap.width > 0 && bitmap.height > 0 && bitmap.width <= _side && bitmap.height <= _side;
    }

    // A new texture on a copy of the bitmap, in the first page with room, else in a new page appended to
    // the list. Null when not even the new page has room; that page then stays, empty. Whatever the
    // page's constructor throws passes to the caller, and no page is added then.
    ProxyTexture* Place(const Bitmap& bitmap) {
        for (Page* page : _pages) {
            if (ProxyTexture* texture = PlaceOn(page, bitmap)) return texture;
        }
        std::unique_ptr<Page> page(new Page(_side));
        _pages.push_back(page.release());
        return PlaceOn(_pages.back(), bitmap);
    }

    // Clears every page's unused blocks and destroys the pages left without a block, calling
    // removed(pages still listed) after each.
    template <class Removed>
    void RemoveEmpty(Removed removed) {
        std::size_t listed = _pages.size();
        std::vector<Page*> kept;
        for (Page* page : _pages) {
            page->clear_unused_blocks();
            if (!page->Empty()) {
                kept.push_back(page);
                continue;
            }
            delete page;
            removed(--listed);
        }
        _pages.swap(kept);
    }

    const std::vector<Page*>& Get() const { return _pages; }

private:
    static ProxyTexture* PlaceOn(Page* page, const Bitmap& bitmap) {
        BaseTexture::Block* block = page->alloc_block(bitmap.width, bitmap.height);
        if (!block) return nullptr;
        page->load(block, bitmap, 0, 0, bitmap.width, bitmap.height);
        return new ProxyTexture(page, block);
    }

    unsigned int _side;
    std::vector<Page*> _pages;
};

}  // namespace render
