#pragma once

#include <string>

#include "vantle/core/ptr.h"
#include "vantle/core/singleton.h"
#include "vantle/render/texture.h"
#include "vantle/utils/cache.h"

namespace render {

// Makes the texture of an image file: the name is localised, opened through the loader and decoded by
// the renderer. Empty when any step fails.
class TextureFactory {
public:
    static core::ptr<ITexture> Create(const std::string& name);
};

// Every texture of the process by the name it was asked for. A failed load is kept (empty) until Clear.
// After Clear, the renderer's ClearTextures frees the pages nobody uses any more.
class TextureCache : public utils::Cache<ITexture, std::string, TextureFactory>,
                     public core::Singleton<TextureCache> {};

}  // namespace render
