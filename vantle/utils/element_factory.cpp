#include "vantle/utils/element_factory.h"

#include <tinyxml.h>

namespace utils {

std::string ElementName(const TiXmlElement* element) {
    return element ? element->ValueStr() : std::string();
}

}  // namespace utils
