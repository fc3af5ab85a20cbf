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
    // An empty pointer when no source has the file. Otherwise the document named after the file, parsed
    // from its text up to the first zero byte with carriage returns removed; a failed parse stays in the
    // document's error flag and text for the caller to report.
    static core::ptr<TiXmlDocument> Create(const std::string& name);
};

// Parses the text, up to its first zero byte, into the document, guarding the parser against texts
// that would make it read past their end or recurse beyond its stack: a document nested more than 1000
// levels deep is not parsed but gets an error, with a log line naming it.
void ParseText(TiXmlDocument& document, const std::string& text);

// Whether the document holds a parse error; if so, logs the caller's prefix (such as "Error loading
// tilemap: "), the document's file name, " : " and the parser's error text.
bool ReportParseError(const TiXmlDocument& document, const std::string& prefix);

// Every XML data file parsed once and shared by name. Users only read the documents.
class XmlCache : public utils::Cache<TiXmlDocument, std::string, XmlFactory>,
                 public core::Singleton<XmlCache> {};

}  // namespace xml
