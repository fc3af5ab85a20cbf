#pragma once

#include <string>

#include "vantle/core/ptr.h"
#include "vantle/core/singleton.h"
#include "vantle/render/font_bmf.h"
#include "vantle/utils/cache.h"

namespace render {

// Makes the fonts the font cache asks for.
class FontFactory {
public:
    // The font named name in the font directory, after localisation. Only ".xml" descriptions make a
    // font (an empty one when the file is missing); any other name gives an empty pointer.
    static core::ptr<IFont> Create(const std::string& name);
};

// Every font of the process by the name it was asked for. Fonts are never evicted.
class FontCache : public utils::Cache<IFont, std::string, FontFactory>, public core::Singleton<FontCache> {
public:
    // The prefix of every font file name; set before the first font is asked for.
    void SetFontDir(const std::string& directory) { _font_dir = directory; }
    const std::string& GetFontDir() const { return _font_dir; }

private:
    std::string _font_dir;
};

}  // namespace render
