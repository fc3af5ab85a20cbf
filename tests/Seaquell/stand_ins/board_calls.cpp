#include "board_calls.h"

namespace test {

std::vector<BoardCall>& BoardCalls() {
    static std::vector<BoardCall> calls;
    return calls;
}

std::vector<std::string> CallsOn(const cm::Board& board) {
    std::vector<std::string> texts;
    for (const BoardCall& call : BoardCalls()) {
        if (call.board == &board) texts.push_back(call.call);
    }
    return texts;
}

void Record(const cm::Board* board, const std::string& call, const core::ptr<cm::Ball>& ball) {
    BoardCalls().push_back({board, call, ball});
}

}  // namespace test
