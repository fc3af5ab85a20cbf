#include "Seaquell/ball_factory.h"

#include <algorithm>
#include <climits>
#include <utility>
#include <vector>

#include "Seaquell/b_addtime.h"
#include "Seaquell/b_badball.h"
#include "Seaquell/b_makebedballs.h"
#include "Seaquell/b_remove_block.h"
#include "Seaquell/b_remove_col.h"
#include "Seaquell/b_remove_color.h"
#include "Seaquell/b_remove_cross.h"
#include "Seaquell/b_remove_diag_cross.h"
#include "Seaquell/b_remove_diag_left.h"
#include "Seaquell/b_remove_diag_right.h"
#include "Seaquell/b_remove_row.h"
#include "Seaquell/b_replater.h"
#include "vantle/core/log.h"
#include "vantle/core/random.h"
#include "vantle/game/sprite.h"

namespace cm {

namespace {

// Ids below this are colours; the colour lottery holds only them.
const unsigned int kFirstBonus = 11;
// The fixed-colour removers: colour = id - kFixedColorBase.
const unsigned int kFixedColorBase = BallFactory::B_REMOVE_COLOR0 - 1;
// Draws go through core::Random::GetInt, which takes int bounds.
const unsigned long long kMaxTickets = INT_MAX;

using Maker = core::ptr<Ball> (*)(const core::ptr<game::Sprite>&, const math::Vector2&, unsigned int);

template <class T>
core::ptr<Ball> Make(const core::ptr<game::Sprite>& sprite, const math::Vector2& cell_size,
                     unsigned int color) {
    return core::ptr<Ball>(new T(sprite, cell_size, color));
}

struct Kind {
    unsigned int id;
    char code;
    const char* bonus_name;
    const char* sprite_file;
    Maker make;
};

// The map characters of the fixed-colour removers are not alphabetical: "g" "h" "q" "o" "p" "r" "s" "t".
const Kind kKinds[] = {
    {1, '1', "", "data/sprites/ball0.xml", &Make<Ball>},
    {2, '2', "", "data/sprites/ball1.xml", &Make<Ball>},
    {3, '3', "", "data/sprites/ball2.xml", &Make<Ball>},
    {4, '4', "", "data/sprites/ball3.xml", &Make<Ball>},
    {5, '5', "", "data/sprites/ball4.xml", &Make<Ball>},
    {6, '6', "", "data/sprites/ball5.xml", &Make<Ball>},
    {7, '7', "", "data/sprites/ball6.xml", &Make<Ball>},
    {8, '8', "", "data/sprites/ball7.xml", &Make<Ball>},
    {BallFactory::B_BADBALL, 'a', "badball", "data/sprites/badball.xml", &Make<BadBall>},
    {BallFactory::B_REMOVE_ROW, 'e', "remove_row", "data/sprites/remove_row.xml", &Make<RemoveRow>},
    {BallFactory::B_REMOVE_COL, 'c', "remove_col", "data/sprites/remove_col.xml", &Make<RemoveCol>},
    {BallFactory::B_REMOVE_CROSS, 'd', "remove_cross", "data/sprites/remove_cross.xml", &Make<RemoveCross>},
    {BallFactory::B_REMOVE_BLOCK, 'b', "remove_block", "data/sprites/remove_block.xml", &Make<RemoveBlock>},
    {BallFactory::B_REMOVE_COLOR, 'f', "remove_color", "data/sprites/remove_color.xml", &Make<RemoveColor>},
    {BallFactory::B_REMOVE_DIAG_LEFT, 'j', "remove_diag_left", "data/sprites/remove_diag_left.xml",
     &Make<RemoveDiagonalLeft>},
    {BallFactory::B_REMOVE_DIAG_RIGHT, 'i', "remove_diag_right", "data/sprites/remove_diag_right.xml",
     &Make<RemoveDiagonalRight>},
    {BallFactory::B_REMOVE_DIAG_CROSS, 'k', "remove_diag_cross", "data/sprites/remove_diag_cross.xml",
     &Make<RemoveDiagonalCross>},
    {BallFactory::B_ADDTIME, 'l', "addtime", "data/sprites/addtime.xml", &Make<AddTime>},
    {BallFactory::B_REPLATER, 'm', "replater", "data/sprites/replater.xml", &Make<ReplaterBall>},
    {BallFactory::B_MAKEBADBALLS, 'n', "makebadballs", "data/sprites/makebadballs.xml", &Make<MakeBadBall>},
    {BallFactory::B_REMOVE_COLOR0, 'g', "remove_color0", "data/sprites/remove_color.xml", &Make<RemoveColor>},
    {BallFactory::B_REMOVE_COLOR1, 'h', "remove_color1", "data/sprites/remove_color.xml", &Make<RemoveColor>},
    {BallFactory::B_REMOVE_COLOR2, 'q', "remove_color2", "data/sprites/remove_color.xml", &Make<RemoveColor>},
    {BallFactory::B_REMOVE_COLOR3, 'o', "remove_color3", "data/sprites/remove_color.xml", &Make<RemoveColor>},
    {BallFactory::B_REMOVE_COLOR4, 'p', "remove_color4", "data/sprites/remove_color.xml", &Make<RemoveColor>},
    {BallFactory::B_REMOVE_COLOR5, 'r', "remove_color5", "data/sprites/remove_color.xml", &Make<RemoveColor>},
    {BallFactory::B_REMOVE_COLOR6, 's', "remove_color6", "data/sprites/remove_color.xml", &Make<RemoveColor>},
    {BallFactory::B_REMOVE_COLOR7, 't', "remove_color7", "data/sprites/remove_color.xml", &Make<RemoveColor>},
};

const Kind* FindKind(unsigned int id) {
    for (const Kind& kind : kKinds) {
        if (kind.id == id) return &kind;
    }
    return nullptr;
}

const Kind* FindKind(char code) {
    for (const Kind& kind : kKinds) {
        if (kind.code == code) return &kind;
    }
    return nullptr;
}

}  // namespace

void BallFactory::Lottery::Clear() {
    _ends.clear();
    _tickets = 0;
}

void BallFactory::Lottery::Add(unsigned int id, unsigned int tickets) {
    if (tickets == 0) return;
    _tickets += tickets;
    _ends.emplace_back(id, _tickets);
}

unsigned int BallFactory::Lottery::Draw() const {
    const unsigned int ticket =
        static_cast<unsigned int>(core::Random::instance()->GetInt(0, static_cast<int>(_tickets - 1)));
    const auto found =
        std::upper_bound(_ends.begin(), _ends.end(), ticket,
                         [](unsigned int value, const std::pair<unsigned int, unsigned int>& end) {
                             return value < end.second;
                         });
    return found->first;
}

BallFactory::BallFactory() {
    FillProbs();
    FillSimpleProbs();
}

void BallFactory::Reset() {
    _turn = 0;
    _lottery.Clear();
    _colors.Clear();
    _kinds.clear();
}

void BallFactory::SetProb(unsigned int id, const core::ptr<game::Sprite>& sprite, unsigned int prob,
                          unsigned int delay) {
    prob_options& kind = _kinds[id];
    kind.delay = delay;
    kind.prob = prob;
    kind.sprite = sprite;
}

void BallFactory::Fill(Lottery& lottery, unsigned int below) const {
    lottery.Clear();
    std::vector<std::pair<unsigned int, unsigned int>> eligible;
    unsigned long long total = 0;
    for (const auto& entry : _kinds) {
        if (entry.first >= below) break;
        if (entry.second.delay > _turn) continue;
        eligible.emplace_back(entry.first, entry.second.prob);
        total += entry.second.prob;
    }
    // Weights from a damaged level can sum past what one draw reaches; scaling keeps their proportions.
    if (total > kMaxTickets) {
        core::Log::instance()->Write("Ball lottery: weights sum to %llu, scaled down", total);
        for (auto& kind : eligible)
            kind.second = static_cast<unsigned int>(kind.second * kMaxTickets / total);
    }
    for (const auto& kind : eligible) lottery.Add(kind.first, kind.second);
}

void BallFactory::FillProbs() {
    Fill(_lottery, UINT_MAX);
}

void BallFactory::FillSimpleProbs() {
    Fill(_colors, kFirstBonus);
}

void BallFactory::NextTurn() {
    ++_turn;
    FillProbs();
}

void BallFactory::FillEmptyLotteries() {
    if (_lottery.Empty()) FillProbs();
    if (_colors.Empty()) FillSimpleProbs();
}

core::ptr<game::Sprite> BallFactory::NewSprite(const core::ptr<game::Sprite>& prototype) const {
    if (!prototype) return core::ptr<game::Sprite>();
    core::ptr<game::Sprite> sprite(prototype->Clone());
    sprite->SetNoEffects(no_effects);
    if (resize_sprite) sprite->Resize(sprite_size);
    return sprite;
}

core::ptr<Ball> BallFactory::CreateBall(unsigned int id) {
    FillEmptyLotteries();
    // The sprite is cloned before the colour is drawn: a clone may draw random numbers of its own.
    const auto found = _kinds.find(id);
    const core::ptr<game::Sprite> sprite = NewSprite(found == _kinds.end() ? nullptr : found->second.sprite);
    unsigned int color = id;
    if (id == B_REMOVE_COLOR) {
        if (_colors.Empty()) return core::ptr<Ball>();
        color = _colors.Draw();
    } else if (id >= B_REMOVE_COLOR0 && id <= B_REMOVE_COLOR7) {
        color = id - kFixedColorBase;
    }
    const Kind* kind = FindKind(id);
    // Ids without a kind of their own (0, 9, 10 and beyond the table) are plain balls of that colour.
    const Maker make = kind ? kind->make : &Make<Ball>;
    return make(sprite, cell_size, color);
}

core::ptr<Ball> BallFactory::CreateBall(char code) {
    const Kind* kind = FindKind(code);
    return kind ? CreateBall(kind->id) : core::ptr<Ball>();
}

core::ptr<Ball> BallFactory::CreateBall() {
    FillEmptyLotteries();
    if (_lottery.Empty()) return core::ptr<Ball>();
    return CreateBall(_lottery.Draw());
}

std::string BallFactory::GetBonusName(unsigned int id) {
    const Kind* kind = FindKind(id);
    return kind ? kind->bonus_name : "";
}

std::string BallFactory::GetSpriteFile(unsigned int id) {
    const Kind* kind = FindKind(id);
    return kind ? kind->sprite_file : "";
}

}  // namespace cm
