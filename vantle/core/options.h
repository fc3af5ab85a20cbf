#pragma once

#include <map>
#include <string>

#include "vantle/core/value.h"

class TiXmlElement;

namespace io {
class Reader;
class Writer;
}  // namespace io

namespace core {

// A named set of values, read from "option" elements, written back as XML text, and kept in the
// engine's binary record form. A plain base class for the level, player and power-up level options.
class Options {
public:
    Options();
    // Loads the element's "option" children.
    explicit Options(TiXmlElement* element);

    // UNSET when the name is absent.
    Value Get(const std::string& name) const;
    // Inserts or overwrites.
    void Set(const std::string& name, const Value& value);

    // Adds every "option" child that has both "name" and "value", as a STRING value. A name already in
    // the set keeps its value; nothing is removed.
    void Load(TiXmlElement* element);
    // "<options>", one "<option name=... value=.../>" line per entry in name order, "</options>". Names and
    // values are escaped, so the text always parses again.
    std::string ToXML() const;

    // The count, then each name and value (as text) in name order.
    void Save(io::Writer& writer) const;
    // Replaces the set by the record read; every value comes back as STRING. Stops, with a log line, where
    // the stream ends before the count is reached. False when the record was not whole: it ended early
    // or some read ran past the end of the stream.
    bool Load(io::Reader& reader);

private:
    std::map<std::string, Value> _values;
};

}  // namespace core
