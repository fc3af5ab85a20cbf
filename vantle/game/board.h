#pragma once

#include <memory>
#include <vector>

namespace game {

// A fixed grid of width columns by height rows; element (x, y) is column x from the left, row y from
// the top. Access outside the grid throws BadBoardCoordinatesException: callers test coordinates
// themselves, so the exception marks a broken caller rather than a condition of play.
template <class T>
class Board {
public:
    // One distinct type per element type; carries nothing.
    class BadBoardCoordinatesException {};

    // A grid of 0 by 0 until the owner sets width and height and calls Alloc.
    Board() = default;
    // Every element value-initialised: empty pointers, default cells, zero for plain types. A negative
    // size counts as 0.
    Board(int width_, int height_) : width(width_ < 0 ? 0 : width_), height(height_ < 0 ? 0 : height_) {
        Alloc();
    }
    Board(const Board& other) : width(other.width), height(other.height) { CopyFrom(other); }
    Board& operator=(const Board& other) {
        if (this == &other) return *this;
        width = other.width;
        height = other.height;
        CopyFrom(other);
        return *this;
    }
    Board(Board&&) = default;
    Board& operator=(Board&&) = default;
    virtual ~Board() = default;

    // Storage for the current width and height, every element value-initialised; what was held before
    // is released.
    void Alloc() {
        _columns.clear();
        _rows = height < 0 ? 0 : height;
        const int columns = width < 0 ? 0 : width;
        for (int x = 0; x < columns; ++x) _columns.emplace_back(new T[static_cast<size_t>(_rows)]());
    }

    // Inside both the stated size and the storage made for it, so a size changed without Alloc never
    // reaches past the storage.
    bool Contains(int x, int y) const {
        return x >= 0 && y >= 0 && x < width && y < height && x < static_cast<int>(_columns.size()) &&
               y < _rows;
    }

    T& Get(int x, int y) {
        Check(x, y);
        return _columns[static_cast<size_t>(x)][static_cast<size_t>(y)];
    }
    const T& Get(int x, int y) const {
        Check(x, y);
        return _columns[static_cast<size_t>(x)][static_cast<size_t>(y)];
    }
    void Set(int x, int y, const T& value) { Get(x, y) = value; }

    // Read and set directly by the owners; a new size takes effect at the next Alloc.
    int width = 0;
    int height = 0;

private:
    void Check(int x, int y) const {
        if (!Contains(x, y)) throw BadBoardCoordinatesException();
    }

    void CopyFrom(const Board& other) {
        _columns.clear();
        _rows = other._rows;
        for (const auto& column : other._columns) {
            _columns.emplace_back(new T[static_cast<size_t>(_rows)]());
            for (int y = 0; y < _rows; ++y)
                _columns.back()[static_cast<size_t>(y)] = column[static_cast<size_t>(y)];
        }
    }

    // Column by column: element (x, y) is element y of column x.
    std::vector<std::unique_ptr<T[]>> _columns;
    int _rows = 0;
};

}  // namespace game
