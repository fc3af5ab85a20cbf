#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace render {

// One bit per pixel of a square, set where something lies. Pixels are named by column and row from 0 to
// side - 1, ranges include both ends, and callers keep them inside the square.
class PixelMask {
public:
    using Word = std::uint64_t;
    static constexpr unsigned int kWordBits = 64;

    explicit PixelMask(unsigned int side);

    // Words across a row; word index holds columns kWordBits * index onwards.
    unsigned int WordsPerRow() const { return _words_per_row; }

    // Sets or clears every pixel of the rectangle.
    void Set(unsigned int left, unsigned int top, unsigned int right, unsigned int bottom, bool on);
    bool AnyIn(unsigned int left, unsigned int top, unsigned int right, unsigned int bottom) const;
    // The lowest row above the given one with a pixel set among the columns, or -1.
    int LastRowAbove(unsigned int row, unsigned int left, unsigned int right) const;
    // The rightmost column left of the given one with a pixel set in any of the rows, or -1.
    int LastColumnBefore(unsigned int column, unsigned int top, unsigned int bottom) const;

    // The pixels of word index set in any of the rows top to bottom, the first column in the lowest
    // bit; columns past the side are clear.
    Word RowsWord(unsigned int top, unsigned int bottom, unsigned int index) const;

private:
    // A column of words, one per row, lies in one run, so that the union of neighbouring rows reads
    // consecutive memory.
    const Word* Column(unsigned int index) const {
        return _words.data() + static_cast<std::size_t>(index) * _side;
    }
    Word* Column(unsigned int index) { return _words.data() + static_cast<std::size_t>(index) * _side; }

    unsigned int _side;
    unsigned int _words_per_row;
    std::vector<Word> _words;
};

}  // namespace render
