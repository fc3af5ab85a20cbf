#pragma once

#include <string>
#include <vector>

#include "Seaquell/ball.h"
#include "vantle/core/ptr.h"

namespace cm {
class Board;
}  // namespace cm

namespace test {

// What the recording stand-ins of the board's rules were asked, in order: the rules that the board and
// its balls call but that live in later parts of the board (falling and generation, removers, waves).
// Each stand-in goes once its rule is in the library, which then answers instead.
struct BoardCall {
    const cm::Board* board;
    // The operation's name and its arguments, such as "RemoveRow 3 4 0".
    std::string call;
    // The ball handed over, for PlaceBall.
    core::ptr<cm::Ball> ball;
};

std::vector<BoardCall>& BoardCalls();
// The calls made on that board, as text.
std::vector<std::string> CallsOn(const cm::Board& board);
void Record(const cm::Board* board, const std::string& call, const core::ptr<cm::Ball>& ball = nullptr);

// The name followed by the numbers, each after a blank.
template <class... Numbers>
std::string Text(const char* name, Numbers... numbers) {
    std::string text = name;
    ((text += " " + std::to_string(numbers)), ...);
    return text;
}

}  // namespace test
