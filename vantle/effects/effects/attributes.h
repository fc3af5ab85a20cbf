#pragma once

class TiXmlElement;

namespace effects {

// Readers of the attributes several effect kinds share. Each leaves value alone when the element (or the
// attribute) is missing and returns whether it read one.

bool ReadUnsignedAttribute(const TiXmlElement* element, const char* name, unsigned int& value);
// A truth value (as core::str2bool reads it) into a 0 or 1 flag.
bool ReadFlagAttribute(const TiXmlElement* element, const char* name, unsigned int& flag);

// The most a kind starts or emits at once: more would only exhaust memory and stall the frame.
const unsigned int kMaxBurst = 10000;

// "count", cut to kMaxBurst with a log line that calls the items what (as "effects" or "particles").
void ReadBurstCount(const TiXmlElement* element, const char* what, unsigned int& count);

}  // namespace effects
