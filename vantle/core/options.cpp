#include "vantle/core/options.h"

#include <tinyxml.h>

#include "vantle/core/log.h"
#include "vantle/core/strutils.h"
#include "vantle/io/reader.h"
#include "vantle/io/writer.h"
#include "vantle/xml/attributes.h"

namespace core {

Options::Options() = default;

Options::Options(TiXmlElement* element) {
    Load(element);
}

Value Options::Get(const std::string& name) const {
    auto found = _values.find(name);
    return found == _values.end() ? Value() : found->second;
}

void Options::Set(const std::string& name, const Value& value) {
    _values[name] = value;
}

void Options::Load(TiXmlElement* element) {
    if (!element) return;
    for (TiXmlElement* child = element->FirstChildElement(); child; child = child->NextSiblingElement()) {
        if (child->ValueStr() != "option") continue;
        const char* name = xml::FindText(child, "name");
        const char* value = xml::FindText(child, "value");
        if (!name || !value) continue;
        // insert keeps an existing entry: the first value of a name wins.
        _values.insert(std::make_pair(std::string(name), Value(std::string(value))));
    }
}

std::string Options::ToXML() const {
    std::string xml = "<options>\n";
    for (const auto& entry : _values) {
        xml += "<option name=\"" + escape_xml(entry.first) + "\" value=\"" +
               escape_xml(entry.second.as_string()) + "\"/>\n";
    }
    xml += "</options>\n";
    return xml;
}

void Options::Save(io::Writer& writer) const {
    writer.WriteUInt(static_cast<unsigned int>(_values.size()));
    for (const auto& entry : _values) {
        writer.WriteString(entry.first);
        writer.WriteString(entry.second.as_string());
    }
}

bool Options::Load(io::Reader& reader) {
    _values.clear();
    unsigned int count = reader.ReadUInt();
    for (unsigned int read = 0; read < count; ++read) {
        // A damaged count must not keep us reading empty entries from an exhausted stream.
        if (reader.AtEnd()) {
            Log::instance()->Write("Option set ends after %u of %u entries", read, count);
            return false;
        }
        std::string name = reader.ReadString();
        if (reader.AtEnd()) {
            Log::instance()->Write("Option set ends inside entry %u of %u", read + 1, count);
            return false;
        }
        _values[name] = Value(reader.ReadString());
    }
    return !reader.ReadPastEnd();
}

}  // namespace core
