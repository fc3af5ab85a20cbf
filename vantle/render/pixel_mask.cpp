#include "vantle/render/pixel_mask.h"

namespace render {

namespace {

using Word = PixelMask::Word;

// Bits first to last of a word.
Word BitsBetween(unsigned int first, unsigned int last) {
    const Word up_to_last = last + 1 == PixelMask::kWordBits ? ~Word(0) : (Word(1) << (last + 1)) - 1;
    return up_to_last & (~Word(0) << first);
}

// The bits of word index that the columns left to right cover.
Word ColumnsInWord(unsigned int index, unsigned int left, unsigned int right) {
    const unsigned int first = index == left / PixelMask::kWordBits ? left % PixelMask::kWordBits : 0;
    const unsigned int last =
        index == right / PixelMask::kWordBits ? right % PixelMask::kWordBits : PixelMask::kWordBits - 1;
    return BitsBetween(first, last);
}

// The highest set bit of a word among its bits first to last, or -1.
int LastSetIn(Word word, unsigned int first, unsigned int last) {
    const Word bits = word & BitsBetween(first, last);
    if (!bits) return -1;
    return static_cast<int>(PixelMask::kWordBits) - 1 - __builtin_clzll(bits);
}

}  // namespace

PixelMask::PixelMask(unsigned int side)
    : _side(side),
      _words_per_row((side + kWordBits - 1) / kWordBits),
      _words(static_cast<std::size_t>(side) * _words_per_row) {}

void PixelMask::Set(unsigned int left, unsigned int top, unsigned int right, unsigned int bottom, bool on) {
    for (unsigned int index = left / kWordBits; index <= right / kWordBits; ++index) {
        const Word bits = ColumnsInWord(index, left, right);
        Word* column = Column(index);
        for (unsigned int row = top; row <= bottom; ++row)
            column[row] = on ? column[row] | bits : column[row] & ~bits;
    }
}

bool PixelMask::AnyIn(unsigned int left, unsigned int top, unsigned int right, unsigned int bottom) const {
    for (unsigned int index = left / kWordBits; index <= right / kWordBits; ++index) {
        if (RowsWord(top, bottom, index) & ColumnsInWord(index, left, right)) return true;
    }
    return false;
}

int PixelMask::LastRowAbove(unsigned int row, unsigned int left, unsigned int right) const {
    int lowest = -1;
    for (unsigned int index = left / kWordBits; index <= right / kWordBits; ++index) {
        const Word bits = ColumnsInWord(index, left, right);
        const Word* column = Column(index);
        // Rows no lower than the one found so far cannot change the answer.
        for (int above = static_cast<int>(row) - 1; above > lowest; --above) {
            if (column[above] & bits) {
                lowest = above;
                break;
            }
        }
    }
    return lowest;
}

int PixelMask::LastColumnBefore(unsigned int column, unsigned int top, unsigned int bottom) const {
    if (column == 0) return -1;
    const unsigned int last = column - 1;
    for (unsigned int index = last / kWordBits + 1; index-- > 0;) {
        const unsigned int to = index == last / kWordBits ? last % kWordBits : kWordBits - 1;
        const int bit = LastSetIn(RowsWord(top, bottom, index), 0, to);
        if (bit >= 0) return static_cast<int>(index * kWordBits) + bit;
    }
    return -1;
}

PixelMask::Word PixelMask::RowsWord(unsigned int top, unsigned int bottom, unsigned int index) const {
    const Word* end = Column(index) + bottom + 1;
    Word word = 0;
    for (const Word* row = Column(index) + top; row != end; ++row) word |= *row;
    return word;
}

}  // namespace render
