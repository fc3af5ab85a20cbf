#pragma once

#include <cstddef>

namespace core {

// Numbers read from the start of a text exactly as an input string stream imbued with the classic
// locale reads them with operator>>, without building a stream: leading white space is skipped, the
// longest prefix of the type's syntax is taken and the rest ignored; text that holds no number gives 0,
// and a number out of range the limit the stream stores. The text need not end with a zero byte.
//
// T is short, unsigned short, int, unsigned int, long, float or double. Integers are decimal; a minus
// sign before an unsigned number negates it the way unsigned arithmetic does.
template <class T>
T ExtractNumber(const char* text, std::size_t length);

// As ExtractNumber<unsigned int> with the stream set to hexadecimal: an optional "0x" or "0X" prefix,
// digits of either case.
unsigned int ExtractHex(const char* text, std::size_t length);

// As extracting a bool from such a stream: true only for a number that reads as 1, false for 0 and for
// everything that is no 0 or 1.
bool ExtractFlag(const char* text, std::size_t length);

// As extracting a char: the first character that is no white space, 0 when there is none.
char ExtractCharacter(const char* text, std::size_t length);

}  // namespace core
