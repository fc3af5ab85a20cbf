#include "Seaquell/board.h"

#include <iterator>

#include "Seaquell/board_helpers.h"

#include "vantle/core/context.h"
#include "vantle/core/functor_factory.h"
#include "vantle/core/log.h"
#include "vantle/core/strutils.h"
#include "vantle/game/current_powerup_set.h"
#include "vantle/game/sprite.h"

namespace cm {

namespace {

const char* const kRemoveRandomBlocks = "remove_random_blocks";
const char* const kInsertRandomBombs = "insert_random_bombs";

const unsigned int kColorCount = 8;
// Registered with the factory for a colour the level uses.
const unsigned int kColorProb = 100;
const unsigned int kTokenValues[] = {1, 5, 10};
const char* const kTokenCounts[] = {"tokens_count", "tokens5_count", "tokens10_count"};
// A damaged level asking for more tokens of a kind than this gets this many.
const unsigned int kMaxTokens = 10000;
// Colours above this are bonus balls and tokens, which the game window announces.
const unsigned int kLastPlainColor = 10;
// The map's layers of preplaced balls and of locks.
const size_t kBallLayer = 3;
const size_t kLockLayer = 4;

using helpers::Now;
using helpers::Setting;

core::ptr<game::Sprite> LoadSprite(const std::string& file) {
    return core::ptr<game::Sprite>(new game::Sprite(file));
}

}  // namespace

Board::Board(unsigned int width, unsigned int height)
    : balls(static_cast<int>(width), static_cast<int>(height)),
      back_board(width, height),
      generation_mask(static_cast<int>(width), static_cast<int>(height)),
      blocked_mask(static_cast<int>(width), static_cast<int>(height)),
      remove_mask(static_cast<int>(width), static_cast<int>(height)),
      highlights(static_cast<int>(width), static_cast<int>(height)),
      moved_mask(static_cast<int>(width), static_cast<int>(height)) {
    core::Log::instance()->Write("Board CREATE");
    ghost_lifetime = Setting("fall_delay");
    lightwave_threshold = Setting("lightwave_threshold");

    _remove_random_blocks =
        core::ptr<core::Functor>(new core::ObjectFunctor<Board>(this, &Board::RemoveRandomBlocks));
    _insert_random_bombs =
        core::ptr<core::Functor>(new core::ObjectFunctor<Board>(this, &Board::InsertRandomBombs));
    core::FunctorFactory::instance()->Register(kRemoveRandomBlocks, _remove_random_blocks);
    core::FunctorFactory::instance()->Register(kInsertRandomBombs, _insert_random_bombs);

    wow1_threshold = Setting("wow1");
    wow2_threshold = Setting("wow2");
    wow3_threshold = Setting("wow3");
    Preload();
}

Board::~Board() {
    if (core::Log::exists()) core::Log::instance()->Write("Board DELETE");
    // A board built later may hold the names by now; only this board's own entries go.
    if (core::FunctorFactory::exists()) {
        core::FunctorFactory::instance()->Unregister(kRemoveRandomBlocks, _remove_random_blocks);
        core::FunctorFactory::instance()->Unregister(kInsertRandomBombs, _insert_random_bombs);
    }
}

void Board::LoadLevel(const core::ptr<game::LevelSet::Level>& level_) {
    level = level_;
    Reset();
}

void Board::Reset() {
    core::Log::instance()->Write("Board::Reset()");
    time_bonus = bonus_paid = 0;
    balls_moving = true;
    generate_counter = 0;
    score = 0;

    random_animations_period = Setting("random_animations_period");
    lightwave_period = Setting("lightwave_period");
    last_lightwave_start = 0;
    lightwave_step_time = Setting("lightwave_step_time");
    bonus_animation_length = Setting("bonus_animation_length");
    bonus_emission_count = Setting("bonus_animation_emissions_count");

    const unsigned int now = Now();
    start_time = now;
    // A click that wins before the first frame must see the new level's clock, not the old one's.
    play_time = 0;
    pause_start = 0;
    paused_time = 0;
    time_limit = kDefaultTimeLimit;
    min_group = kMinGroup;
    paused = finished = won = false;
    preview = highlight_on = highlight_strong = false;

    helpers::ClearGrid(balls);
    removers.clear();
    waves.clear();
    // A reshuffle left running would later write the old level's balls into the new one.
    reshuffle_running = false;
    reshuffled_balls.clear();

    if (level) {
        core::Log::instance()->Write("found valid level");
        ApplyLevel();
    } else {
        core::Log::instance()->Write("No valid level found");
    }

    plates_at_start = plates_left = SumPlates();
    collected_tokens = 0;
    ReloadPowerups(now);
    last_step_time = now;
    helpers::ClearGrid(blocked_mask);
    Generate();
}

void Board::ApplyLevel() {
    time_limit = level->Get("time_limit").as_uint32() * 1000;
    LoadTokens();
    factory.Reset();
    LoadColors();
    LoadBonusKinds();
    LoadMap();
    core::Context::instance()->Set("level_id", core::Value(static_cast<int>(level->id + 1)));
}

void Board::LoadTokens() {
    token_queue.clear();
    total_tokens = 0;
    for (size_t i = 0; i < std::size(kTokenValues); ++i) {
        unsigned int count = level->Get(kTokenCounts[i]).as_uint32();
        if (count > kMaxTokens) {
            core::Log::instance()->Write("Board: %s %u is more than %u", kTokenCounts[i], count, kMaxTokens);
            count = kMaxTokens;
        }
        token_queue.insert(token_queue.end(), count, kTokenValues[i]);
        total_tokens += count;
    }
}

void Board::LoadColors() {
    // The level names its colours one by one ("c_0" to "c_7") or gives how many it uses.
    std::vector<core::ptr<game::Sprite>> sprites;
    bool any = false;
    for (unsigned int n = 0; n < kColorCount; ++n) {
        sprites.push_back(LoadSprite("data/sprites/ball" + core::unsigned2str(n) + ".xml"));
        const bool used = level->GetBonus("c_" + core::unsigned2str(n)).GetProb() != 0;
        factory.SetProb(n + 1, sprites.back(), used ? kColorProb : 0, 0);
        any = any || used;
    }
    if (any) return;
    core::Log::instance()->Write("LOADING FROM COLORS COUNT");
    const unsigned int colors = level->Get("colors").as_uint32();
    for (unsigned int n = 0; n < kColorCount; ++n)
        factory.SetProb(n + 1, sprites[n], n < colors ? kColorProb : 0, 0);
}

void Board::LoadBonusKinds() {
    // The fixed-colour removers come right after the random one: sprites load in this order.
    static const unsigned int kOrder[] = {
        BallFactory::B_BADBALL,           BallFactory::B_REMOVE_ROW,        BallFactory::B_REMOVE_COL,
        BallFactory::B_REMOVE_CROSS,      BallFactory::B_REMOVE_BLOCK,      BallFactory::B_REMOVE_COLOR,
        BallFactory::B_REMOVE_COLOR0,     BallFactory::B_REMOVE_COLOR1,     BallFactory::B_REMOVE_COLOR2,
        BallFactory::B_REMOVE_COLOR3,     BallFactory::B_REMOVE_COLOR4,     BallFactory::B_REMOVE_COLOR5,
        BallFactory::B_REMOVE_COLOR6,     BallFactory::B_REMOVE_COLOR7,     BallFactory::B_REMOVE_DIAG_LEFT,
        BallFactory::B_REMOVE_DIAG_RIGHT, BallFactory::B_REMOVE_DIAG_CROSS, BallFactory::B_ADDTIME,
        BallFactory::B_REPLATER,          BallFactory::B_MAKEBADBALLS,
    };
    for (const unsigned int id : kOrder) {
        const game::LevelSet::Level::BonusOption bonus = level->GetBonus(BallFactory::GetBonusName(id));
        factory.SetProb(id, LoadSprite(BallFactory::GetSpriteFile(id)), bonus.GetProb(), bonus.GetDelay());
    }
}

void Board::LoadMap() {
    const std::string map = level->Get("map").as_string();
    back_board.Load(map);
    const std::vector<std::string> layers = core::str_split(map, ";");
    if (layers.size() > kBallLayer) PlacePreplacedBalls(layers[kBallLayer]);
    if (layers.size() > kLockLayer) LockBalls(layers[kLockLayer]);
}

void Board::PlacePreplacedBalls(const std::string& layer) {
    for (int x = 0; x < balls.width; ++x) {
        for (int y = 0; y < balls.height; ++y) {
            const size_t index = static_cast<size_t>(x + y * balls.width);
            if (index >= layer.size() || layer[index] == '0') continue;
            core::Log::instance()->Write("creating preplaced ball %c", layer[index]);
            const core::ptr<Ball> ball = factory.CreateBall(layer[index]);
            if (!ball) continue;
            if (ball->GetTypeName() != "default") generated_balls.push_back(ball);
            ball->MoveTo(x, y);
            ball->OnMove(this);
            ball->target_col = x;
            ball->target_row = y;
            balls.Set(x, y, ball);
        }
    }
}

void Board::LockBalls(const std::string& layer) {
    for (int x = 0; x < balls.width; ++x) {
        for (int y = 0; y < balls.height; ++y) {
            const size_t index = static_cast<size_t>(x + y * balls.width);
            if (index >= layer.size() || layer[index] != '1') continue;
            const core::ptr<Ball>& ball = balls.Get(x, y);
            if (!ball) continue;
            ball->locked = true;
            generated_balls.push_back(ball);
        }
    }
}

unsigned int Board::SumPlates() const {
    unsigned int sum = 0;
    for (int x = 0; x < back_board.width; ++x) {
        for (int y = 0; y < back_board.height; ++y)
            sum += static_cast<unsigned int>(back_board.Get(x, y).plate);
    }
    return sum;
}

void Board::ReloadPowerups(unsigned int now) {
    game::CurrentPowerupSet* powerups = game::CurrentPowerupSet::instance();
    powerups->Reload();
    powerups->Reset(now);
    core::Log::instance()->Write("POWERUPS: %s", powerups->Save().c_str());
}

void Board::Fill() {
    for (int y = balls.height - 1; y >= 1; --y) {
        for (int x = 0; x < balls.width; ++x) {
            if (!CanFill(x, y)) continue;
            const core::ptr<Ball> ball = factory.CreateBall();
            if (!ball) continue;
            if (ball->GetColor() > kLastPlainColor) generated_balls.push_back(ball);
            ball->MoveTo(x, y);
            ball->target_col = x;
            ball->target_row = y;
            balls.Set(x, y, ball);
            GenerateStep(static_cast<unsigned int>(x), static_cast<unsigned int>(y), 0, 1);
        }
    }
    for (int y = balls.height - 1; y >= 1; --y) {
        for (int x = 0; x < balls.width; ++x) {
            if (CanFill(x, y)) GenerateStep(static_cast<unsigned int>(x), static_cast<unsigned int>(y), 0, 1);
        }
    }
}

bool Board::CanFill(int x, int y) const {
    return back_board.Get(x, y).exists && !blocked_mask.Get(x, y) && !balls.Get(x, y);
}

}  // namespace cm
