#pragma once

#include "Seaquell/level_view.h"

namespace cm::frames {

// One registration of the frame map: a neighbour pattern and up to four frame pieces, -1 for none.
struct Row {
    const char* pattern;
    int f0, f1, f2, f3;
};

constexpr int kRowCount = 85;

// The frame pieces' pictures by index.
extern const char* const kPieceFiles[LevelView::kFramePieces];
// Row i + 1 is piece i's own pattern for i below kFramePieces; the rest combine pieces.
extern const Row kRows[kRowCount];

}  // namespace cm::frames
