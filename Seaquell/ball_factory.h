#pragma once

#include <map>
#include <string>
#include <vector>

#include "Seaquell/ball.h"
#include "vantle/core/ptr.h"
#include "vantle/math/vec2.h"

namespace game {
class Sprite;
}  // namespace game

namespace cm {

// Makes every ball that enters the board: by type id, by the level map's one-character code, or by a
// weighted lottery over the kinds the level registered. Ids 1 to 8 are plain colours; the bonus kinds
// follow. An empty pointer means nothing was made.
class BallFactory {
public:
    static constexpr unsigned int B_BADBALL = 11;
    static constexpr unsigned int B_REMOVE_ROW = 12;
    static constexpr unsigned int B_REMOVE_COL = 13;
    static constexpr unsigned int B_REMOVE_CROSS = 14;
    static constexpr unsigned int B_REMOVE_BLOCK = 15;
    // Removes a colour drawn from the colour lottery.
    static constexpr unsigned int B_REMOVE_COLOR = 16;
    static constexpr unsigned int B_REMOVE_DIAG_LEFT = 17;
    static constexpr unsigned int B_REMOVE_DIAG_RIGHT = 18;
    static constexpr unsigned int B_REMOVE_DIAG_CROSS = 19;
    static constexpr unsigned int B_ADDTIME = 20;
    static constexpr unsigned int B_REPLATER = 21;
    static constexpr unsigned int B_MAKEBADBALLS = 22;
    // Remove the colours 1 to 8 in turn.
    static constexpr unsigned int B_REMOVE_COLOR0 = 23;
    static constexpr unsigned int B_REMOVE_COLOR1 = 24;
    static constexpr unsigned int B_REMOVE_COLOR2 = 25;
    static constexpr unsigned int B_REMOVE_COLOR3 = 26;
    static constexpr unsigned int B_REMOVE_COLOR4 = 27;
    static constexpr unsigned int B_REMOVE_COLOR5 = 28;
    static constexpr unsigned int B_REMOVE_COLOR6 = 29;
    static constexpr unsigned int B_REMOVE_COLOR7 = 30;

    // One registered kind.
    struct prob_options {
        // The turn from which the kind may be drawn; 0 from the start.
        unsigned int delay = 0;
        // Lottery tickets: the kind's weight.
        unsigned int prob = 0;
        // Cloned for every ball of the kind; may be empty.
        core::ptr<game::Sprite> sprite;
    };

    BallFactory();

    // Turn 0, no kinds, empty lotteries. The settings below stay.
    void Reset();
    // Registers or replaces a kind; the lotteries see it at their next fill.
    void SetProb(unsigned int id, const core::ptr<game::Sprite>& sprite, unsigned int prob,
                 unsigned int delay);
    // Rebuilds the lottery of every kind eligible at the current turn.
    void FillProbs();
    // The same over the colours (ids below 11) only.
    void FillSimpleProbs();
    void NextTurn();

    // Fills an empty lottery first, so the first ball after a reset sees every kind registered since.
    core::ptr<Ball> CreateBall(unsigned int id);
    // "1" to "8" and the bonus letters; anything else, "0" included, makes nothing.
    core::ptr<Ball> CreateBall(char code);
    // An independent weighted draw; nothing when no kind holds a ticket.
    core::ptr<Ball> CreateBall();

    // The level set's name of a bonus kind's weight and delay; empty for colours and unknown ids.
    static std::string GetBonusName(unsigned int id);
    // The prototype sprite file of a kind; empty for unknown ids.
    static std::string GetSpriteFile(unsigned int id);

    // Applied to every ball made from now on.
    math::Vector2 cell_size;
    bool no_effects = false;
    bool resize_sprite = false;
    math::Vector2 sprite_size;

private:
    // Tickets stored as ranges, one per kind, so a huge weight costs no memory: a kind holds the draws
    // from the previous kind's end up to below its own.
    class Lottery {
    public:
        void Clear();
        void Add(unsigned int id, unsigned int tickets);
        bool Empty() const { return _tickets == 0; }
        // A uniform ticket's kind; the lottery must not be empty.
        unsigned int Draw() const;

    private:
        std::vector<std::pair<unsigned int, unsigned int>> _ends;
        unsigned int _tickets = 0;
    };

    void Fill(Lottery& lottery, unsigned int below) const;
    void FillEmptyLotteries();
    core::ptr<game::Sprite> NewSprite(const core::ptr<game::Sprite>& prototype) const;

    std::map<unsigned int, prob_options> _kinds;
    Lottery _lottery;
    Lottery _colors;
    unsigned int _turn = 0;
};

}  // namespace cm
