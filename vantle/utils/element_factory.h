#pragma once

#include <map>
#include <string>

class TiXmlElement;

namespace utils {

// The element's tag; empty for a null element.
std::string ElementName(const TiXmlElement* element);

// Makes objects by XML element name. Each kind registers a creator under its element name once at
// start-up; a loader hands every element it meets to Create and skips what comes back empty. Names match
// exactly, letter case included.
//
// Product is what creators make: a new object the caller owns, or null. Result is what Create hands out,
// built from the creator's pointer: the pointer itself, or a shared pointer taking it over.
template <class Product, class Result = Product*>
class ElementFactory {
public:
    using Creator = Product* (*)(TiXmlElement*);

    // Binds the name to the creator. An earlier creator of the name is removed first, so the last
    // registration wins; a null creator only removes the name.
    void Register(const std::string& name, Creator creator) {
        _creators.erase(name);
        if (creator) _creators.emplace(name, creator);
    }

    // What the creator registered under the element's tag makes of the element. Empty for a null element
    // and, without a log line, for an unregistered name.
    Result Create(TiXmlElement* element) const {
        if (!element) return Result();
        return Create(element, ElementName(element));
    }

    // The same with the kind named by name instead of the tag; the element may be null.
    Result Create(TiXmlElement* element, const std::string& name) const {
        auto found = _creators.find(name);
        if (found == _creators.end()) return Result();
        return Result(found->second(element));
    }

    bool IsRegistered(const std::string& name) const { return _creators.count(name) != 0; }

private:
    std::map<std::string, Creator> _creators;
};

}  // namespace utils
