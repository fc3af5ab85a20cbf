#include "vantle/i18n/mtable.h"

#include <tinyxml.h>

#include "vantle/core/log.h"
#include "vantle/core/strutils.h"
#include "vantle/xml/attributes.h"
#include "vantle/xml/xmlcache.h"

namespace i18n {

namespace {

void LoadBlock(TiXmlElement* block, const char* attribute, std::map<std::string, std::string>& map) {
    if (!block) return;
    for (TiXmlElement* entry = block->FirstChildElement(); entry; entry = entry->NextSiblingElement()) {
        const char* key = xml::FindText(entry, "key");
        const char* text = xml::FindText(entry, attribute);
        if (key && text) map[key] = text;
    }
}

std::string Lookup(const std::map<std::string, std::string>& map, const std::string& key,
                   const std::string& fallback) {
    const auto found = map.find(key);
    return found == map.end() ? fallback : found->second;
}

}  // namespace

void MessageTable::Load(const std::string& name) {
    _messages.clear();
    const core::ptr<TiXmlDocument> document = xml::XmlCache::instance()->Get(name);
    if (!document) {
        core::Log::instance()->Write("Can't load %s", name.c_str());
        return;
    }
    if (xml::ReportParseError(*document, "Error loading gui: ")) return;
    TiXmlElement* root = document->FirstChildElement("localization");
    if (!root) return;
    for (TiXmlElement* block = root->FirstChildElement(); block; block = block->NextSiblingElement()) {
        const std::string kind = block->Value();
        if (kind == "messages") LoadMsgMap(block);
        if (kind == "fonts") LoadFontMap(block);
        if (kind == "textures") LoadTextureMap(block);
    }
    core::Log::instance()->Write("localization successfully loaded");
}

std::string MessageTable::GetMsg(const std::string& key) const {
    return Lookup(_messages, core::chomp(key), key);
}

std::string MessageTable::GetFontName(const std::string& name) const {
    return Lookup(_fonts, name, name);
}

std::string MessageTable::GetTextureName(const std::string& name) const {
    return Lookup(_textures, name, name);
}

void MessageTable::LoadMsgMap(TiXmlElement* block) {
    LoadBlock(block, "msg", _messages);
}

void MessageTable::LoadFontMap(TiXmlElement* block) {
    LoadBlock(block, "name", _fonts);
}

void MessageTable::LoadTextureMap(TiXmlElement* block) {
    LoadBlock(block, "name", _textures);
}

}  // namespace i18n
