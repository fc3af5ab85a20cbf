#include "vantle/effects/effects/attributes.h"

#include <tinyxml.h>

#include "vantle/core/log.h"
#include "vantle/core/strutils.h"

namespace effects {

bool ReadUnsignedAttribute(const TiXmlElement* element, const char* name, unsigned int& value) {
    const char* text = element ? element->Attribute(name) : nullptr;
    if (!text) return false;
    value = core::str2unsigned(text);
    return true;
}

bool ReadFlagAttribute(const TiXmlElement* element, const char* name, unsigned int& flag) {
    const char* text = element ? element->Attribute(name) : nullptr;
    if (!text) return false;
    flag = core::str2bool(text) ? 1 : 0;
    return true;
}

void ReadBurstCount(const TiXmlElement* element, const char* what, unsigned int& count) {
    ReadUnsignedAttribute(element, "count", count);
    if (count <= kMaxBurst) return;
    core::Log::instance()->Write("Error: a burst of %u %s, keeping %u", count, what, kMaxBurst);
    count = kMaxBurst;
}

}  // namespace effects
