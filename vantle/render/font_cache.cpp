#include "vantle/render/font_cache.h"

#include "vantle/core/log.h"
#include "vantle/i18n/mtable.h"
#include "vantle/io/loader.h"

namespace render {

namespace {

bool EndsWith(const std::string& text, const std::string& tail) {
    return text.size() >= tail.size() && text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

}  // namespace

core::ptr<IFont> FontFactory::Create(const std::string& name) {
    std::string file_name = i18n::MessageTable::instance()->GetFontName(name);
    core::Log::instance()->Write("Loading font " + file_name);
    core::ptr<io::IStream> stream =
        io::Loader::instance()->Load(FontCache::instance()->GetFontDir() + file_name);
    if (!EndsWith(file_name, ".xml")) return core::ptr<IFont>();
    return core::ptr<IFont>(new FontBMF(stream));
}

}  // namespace render
