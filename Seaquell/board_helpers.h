#pragma once

// Small pieces shared by the board's rule files; not part of the board's interface.
#include "Seaquell/board.h"
#include "vantle/utils/config.h"
#include "vantle/utils/timer.h"

namespace cm::helpers {

inline unsigned int Now() {
    return utils::Timer::instance()->GetTime();
}

// A setting read as a whole number; a missing one reads as 0.
inline unsigned int Setting(const char* key) {
    return utils::Config::instance()->Get(key).as_uint32();
}

template <class T>
void ClearGrid(game::Board<T>& grid) {
    for (int x = 0; x < grid.width; ++x) {
        for (int y = 0; y < grid.height; ++y) grid.Set(x, y, T());
    }
}

// The effect of collecting a token of that value; empty for a value without one.
inline core::ptr<effects::Effect> TokenEffect(unsigned int value) {
    if (value == 1) return Board::remove_token_effect;
    if (value == 5) return Board::remove_token5_effect;
    if (value == 10) return Board::remove_token10_effect;
    return core::ptr<effects::Effect>();
}

}  // namespace cm::helpers
