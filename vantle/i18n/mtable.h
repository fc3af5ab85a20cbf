#pragma once

#include <map>
#include <string>

#include "vantle/core/singleton.h"

class TiXmlElement;

namespace i18n {

// The localisation table: message keys to texts, and font and texture names to the localised files
// loaded instead of them.
class MessageTable : public core::Singleton<MessageTable> {
public:
    MessageTable() = default;

    // Reads a localisation file (root "localization" with "messages", "fonts" and "textures" blocks)
    // through the XML cache. The messages are replaced; fonts and textures are added to.
    void Load(const std::string& name);

    // The text of the key with its surrounding spaces removed, or the key unchanged.
    std::string GetMsg(const std::string& key) const;
    // The localised file name, or the name itself.
    std::string GetFontName(const std::string& name) const;
    std::string GetTextureName(const std::string& name) const;

    // One block each: every child element with both attributes ("key" and "msg", or "key" and "name")
    // stores an entry, replacing an earlier one of that key.
    void LoadMsgMap(TiXmlElement* block);
    void LoadFontMap(TiXmlElement* block);
    void LoadTextureMap(TiXmlElement* block);

private:
    using Map = std::map<std::string, std::string>;

    Map _messages;
    Map _fonts;
    Map _textures;
};

}  // namespace i18n
