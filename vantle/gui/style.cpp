#include "vantle/gui/style.h"

#include <tinyxml.h>

#include <map>
#include <set>

#include "vantle/core/log.h"
#include "vantle/render/font_cache.h"
#include "vantle/render/tile.h"
#include "vantle/xml/attributes.h"
#include "vantle/xml/xmlcache.h"

namespace gui {

namespace {

using PointField = math::Vector2 Style::*;
using TileField = core::ptr<render::Tile> Style::*;
using ColorField = render::Color Style::*;
using TimeField = unsigned int Style::*;

const std::map<std::string, PointField> kPoints = {
    {"size", &Style::size},
    {"text_adjust", &Style::text_adjust},
    {"text_adjust_active", &Style::text_adjust_active},
    {"text_adjust_pressed", &Style::text_adjust_pressed},
    {"text_adjust_disabled", &Style::text_adjust_disabled},
};

const std::map<std::string, TileField> kTiles = {
    {"tile", &Style::tile},
    {"tile_active", &Style::tile_active},
    {"tile_pressed", &Style::tile_pressed},
    {"tile_disabled", &Style::tile_disabled},
    {"shadow", &Style::shadow},
};

const std::map<std::string, ColorField> kColors = {
    {"text_color", &Style::text_color},
    {"text_color_active", &Style::text_color_active},
    {"text_color_pressed", &Style::text_color_pressed},
    {"text_color_disabled", &Style::text_color_disabled},
};

const std::map<std::string, TimeField> kTimes = {
    {"switch_time1", &Style::switch_time1},
    {"switch_time2", &Style::switch_time2},
};

const char kFont[] = "text_font";

template <class Field>
const Field* Find(const std::map<std::string, Field>& fields, const std::string& name) {
    auto found = fields.find(name);
    return found != fields.end() ? &found->second : nullptr;
}

// The attribute an element of the style needs, or null after a log line.
const char* RequiredText(TiXmlElement* element, const char* attribute) {
    const char* text = xml::FindText(element, attribute);
    if (!text) {
        core::Log::instance()->Write("Style element <%s> without \"%s\" is skipped", element->Value(),
                                     attribute);
    }
    return text;
}

const char* const kStateSuffixes[] = {"_active", "_pressed", "_disabled"};

// The state variants of the base field that no element gave take the base value.
template <class T>
void FallBack(Style& style, const std::set<std::string>& given,
              const std::map<std::string, T Style::*>& fields, const std::string& base) {
    for (const char* suffix : kStateSuffixes) {
        const std::string variant = base + suffix;
        if (given.count(variant) == 0) style.*(fields.at(variant)) = style.*(fields.at(base));
    }
}

}  // namespace

Style::Style(TiXmlElement* element) {
    if (!element) return;
    std::set<std::string> given;
    for (TiXmlElement* child = element->FirstChildElement(); child; child = child->NextSiblingElement()) {
        if (LoadField(child)) given.insert(child->ValueStr());
    }
    FallBack(*this, given, kColors, "text_color");
    FallBack(*this, given, kPoints, "text_adjust");
}

bool Style::LoadField(TiXmlElement* child) {
    const std::string& name = child->ValueStr();
    if (const PointField* point = Find(kPoints, name)) {
        this->*(*point) = xml::ReadPoint(child);
        return true;
    }
    if (const TileField* tile_field = Find(kTiles, name)) {
        this->*(*tile_field) = core::ptr<render::Tile>(new render::Tile(child));
        return true;
    }
    if (const ColorField* color = Find(kColors, name)) {
        const char* hex = RequiredText(child, "value");
        if (hex) this->*(*color) = render::Color(hex);
        return hex != nullptr;
    }
    if (const TimeField* time = Find(kTimes, name)) {
        const bool readable = RequiredText(child, "value") != nullptr;
        if (readable) this->*(*time) = xml::ReadUnsigned(child, "value", 0);
        return readable;
    }
    if (name == kFont) {
        const char* font_name = RequiredText(child, "name");
        if (font_name) font = render::FontCache::instance()->Get(font_name);
        return font_name != nullptr;
    }
    core::Log::instance()->Write("Unknown style element <%s> is skipped", child->Value());
    return false;
}

core::ptr<Style> StyleFactory::Create(const std::string& name) {
    core::Log::instance()->Write("Loading style " + name);
    const core::ptr<TiXmlDocument> document = xml::Load(name, "Error loading style: ");
    if (!document) return core::ptr<Style>();
    TiXmlElement* root = document->FirstChildElement("style");
    if (!root) return core::ptr<Style>();
    return core::ptr<Style>(new Style(root));
}

}  // namespace gui
