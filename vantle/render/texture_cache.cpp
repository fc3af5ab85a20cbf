#include "vantle/render/texture_cache.h"

#include "vantle/core/log.h"
#include "vantle/i18n/mtable.h"
#include "vantle/io/loader.h"
#include "vantle/render/render.h"

namespace render {

core::ptr<ITexture> TextureFactory::Create(const std::string& name) {
    const std::string file_name = i18n::MessageTable::instance()->GetTextureName(name);
    core::Log::instance()->Write("Loading texture " + file_name);
    Render::Implementation* renderer = Render::instance()->GetImplementation();
    if (!renderer) {
        core::Log::instance()->Write("No renderer to load " + file_name);
        return core::ptr<ITexture>();
    }
    core::ptr<io::IStream> stream = io::Loader::instance()->Load(file_name);
    return core::ptr<ITexture>(renderer->LoadTexture(stream));
}

}  // namespace render
