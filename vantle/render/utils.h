#pragma once

namespace render {

// Value of one hexadecimal digit of either case; any other character reads as 0.
int hex_to_int(char digit);

// Lower-case digit for 0 to 15; anything else gives a space.
char int_to_hex(int value);

// Smallest power of two not below the value; 1 for anything below 2.
int powerof2(int value);

}  // namespace render
