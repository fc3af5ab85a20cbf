#include "vantle/effects/effects/attributes.h"

#include "vantle/core/log.h"
#include "vantle/xml/attributes.h"

namespace effects {

void ReadBurstCount(const TiXmlElement* element, const char* what, unsigned int& count) {
    count = xml::ReadUnsigned(element, "count", count);
    if (count <= kMaxBurst) return;
    core::Log::instance()->Write("Error: a burst of %u %s, keeping %u", count, what, kMaxBurst);
    count = kMaxBurst;
}

}  // namespace effects
