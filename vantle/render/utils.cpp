#include "vantle/render/utils.h"

namespace render {

int hex_to_int(char digit) {
    if (digit >= '0' && digit <= '9') return digit - '0';
    if (digit >= 'a' && digit <= 'f') return digit - 'a' + 10;
    if (digit >= 'A' && digit <= 'F') return digit - 'A' + 10;
    return 0;
}

char int_to_hex(int value) {
    if (value < 0 || value > 15) return ' ';
    return "0123456789abcdef"[value];
}

int powerof2(int value) {
    // The largest power of two an int holds; bigger requests get it rather than an overflow.
    const int largest = 1 << 30;
    int result = 1;
    while (result < value && result < largest) result *= 2;
    return result;
}

}  // namespace render
