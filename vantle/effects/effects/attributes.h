#pragma once

class TiXmlElement;

namespace effects {

// The most a kind starts or emits at once: more would only exhaust memory and stall the frame.
const unsigned int kMaxBurst = 10000;

// "count" (count stays when it is absent), cut to kMaxBurst with a log line that calls the items what
// (as "effects" or "particles").
void ReadBurstCount(const TiXmlElement* element, const char* what, unsigned int& count);

}  // namespace effects
