#pragma once

#include <tinyxml.h>

#include <string>

#include "vantle/core/ptr.h"
#include "vantle/core/singleton.h"
#include "vantle/utils/cache.h"

namespace xml {

// Makes parsed documents from data files found through the loader.
class XmlFactory {
public:
    // An empty pointer when no source has the file; otherwise Parse of its text, named after the file.
    static core::ptr<TiXmlDocument> Create(const std::string& name);
};

// The one way XML text becomes a document: never null. The text is read up to its first zero byte with
// carriage returns removed; a document nested deeper than the parser's stack allows is refused with a log
// line. A failed parse stays in the document's error flag and text for the caller to report.
core::ptr<TiXmlDocument> Parse(const std::string& name, const std::string& text);

// Whether the document holds a parse error; if so, logs the caller's prefix (such as "Error loading
// tilemap: "), the document's file name, " : " and the parser's error text.
bool ReportParseError(const TiXmlDocument& document, const std::string& prefix);

// The shared document of a data file, or an empty pointer when no source has it or it does not parse
// (reported as ReportParseError does under the prefix).
core::ptr<TiXmlDocument> Load(const std::string& name, const std::string& prefix);

// Every XML data file parsed once and shared by name. Users only read the documents.
class XmlCache : public utils::Cache<TiXmlDocument, std::string, XmlFactory>,
                 public core::Singleton<XmlCache> {};

}  // namespace xml
