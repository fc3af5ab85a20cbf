#include "support/texture_files.h"

#include "vantle/io/loader.h"
#include "vantle/render/render.h"
#include "vantle/render/texture_cache.h"

namespace test {

void TextureFilesTest::SetUp() {
    render::Render::instance()->SetImplementation(&renderer);
    io::Loader::instance()->ClearSources();
    io::Loader::instance()->AddSource(
        core::ptr<io::Loader::Source>(new io::FileSystemSource(dir.Path() + "/")));
}

void TextureFilesTest::TearDown() {
    render::TextureCache::instance()->Clear();
    render::Render::instance()->SetImplementation(nullptr);
}

}  // namespace test
