#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "effect_kinds_fixture.h"
#include "support/capture_log.h"
#include "vantle/core/random.h"
#include "vantle/effects/effects/affine.h"
#include "vantle/effects/effects/particle_system.h"
#include "vantle/effects/effects/random_effect.h"
#include "vantle/effects/effects/random_runner.h"

namespace {

using effects::RandomEffect;
using effects::RandomRunner;

// Candidates are short affine effects (100 ms) told apart by their key time; each carries an image.
const char* const kCandidates =
    "<running_effects>"
    "<affine x='1' y='1'><key tm='0'/><key tm='100'/><image w='2' h='2'/></affine>"
    "<affine x='2' y='2'><key tm='0'/><key tm='101'/><image w='2' h='2'/></affine>"
    "</running_effects>";

class Randoms : public test::EffectKindsTest {
protected:
    // Which candidate each child was copied from (its animation's duration tells).
    static std::vector<unsigned int> Picks(const effects::Effect& node) {
        std::vector<unsigned int> picks;
        for (const auto& child : node.GetChilds()) {
            picks.push_back(dynamic_cast<effects::AffineEffect&>(*child).GetAnimation().GetDuration());
        }
        return picks;
    }
};

std::string RandomEffectXml(const std::string& attributes) {
    return "<random_effect " + attributes + ">" + kCandidates + "</random_effect>";
}

TEST_F(Randoms, RandomEffectStartsBatchesOnItsPeriod) {
    struct Step {
        unsigned int t;
        size_t children;
        bool playing;
    };
    struct Case {
        const char* name;
        const char* attributes;
        size_t at_start;
        std::vector<Step> steps;
    };
    const Case cases[] = {
        {"two cycles",
         "count='3' cycles_count='2' period='500'",
         3,
         {{50, 3, true}, {499, 0, true}, {500, 3, true}, {700, 0, false}}},
        {"looping",
         "count='3' cycles_count='2' period='500' loop='true'",
         3,
         {{200, 0, true}, {500, 3, true}, {1000, 3, true}, {1500, 3, true}, {9000, 3, true}}},
        {"one cycle by default", "count='2'", 2, {{150, 0, false}}},
        {"no count", "cycles_count='3' period='10'", 0, {{10, 0, true}, {20, 0, false}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        clock.Start();
        RandomEffect* node = Started<RandomEffect>(RandomEffectXml(c.attributes));
        EXPECT_EQ(node->GetChilds().size(), c.at_start);
        for (const Step& step : c.steps) {
            node->Update(clock.At(step.t));
            EXPECT_EQ(node->GetChilds().size(), step.children) << "at " << step.t;
            EXPECT_EQ(node->IsPlaying(), step.playing) << "at " << step.t;
        }
    }
}

TEST_F(Randoms, ChoicesFollowTheSeed) {
    std::vector<std::vector<unsigned int>> runs;
    for (int run = 0; run < 2; ++run) {
        core::Random::Seed(77);
        RandomEffect* node = Started<RandomEffect>(RandomEffectXml("count='12'"));
        runs.push_back(Picks(*node));
    }
    EXPECT_EQ(runs[0], runs[1]);
    EXPECT_EQ(std::set<unsigned int>(runs[0].begin(), runs[0].end()), (std::set<unsigned int>{100, 101}));
}

TEST_F(Randoms, CopiesStandAtTheEffectUnlessNoMove) {
    const math::Vector2 place(200, 300);
    RandomEffect* moved = Started<RandomEffect>(RandomEffectXml("count='4'"), &place);
    for (const auto& copy : moved->GetChilds()) {
        EXPECT_EQ(copy->GetPos(), place);
        EXPECT_EQ(copy->GetChilds()[0]->GetPos(), place);
        EXPECT_TRUE(copy->IsRunning());
        EXPECT_TRUE(copy->GetChilds()[0]->IsRunning());
    }
    RandomEffect* kept = Started<RandomEffect>(RandomEffectXml("count='4' no_move='yes'"), &place);
    for (const auto& copy : kept->GetChilds()) {
        const float own = copy.get()->GetPos().x;
        EXPECT_TRUE(own == 1.0f || own == 2.0f);
        EXPECT_EQ(copy->GetPos().y, own);
    }
}

TEST_F(Randoms, WithoutCandidatesBatchesStillCount) {
    RandomEffect* node = Started<RandomEffect>(
        "<random_effect count='3' cycles_count='2' period='10'><running_effects><nothing/></running_effects>"
        "</random_effect>");
    EXPECT_TRUE(node->GetCandidates().empty());
    EXPECT_EQ(node->GetCycles(), 1u);
    node->Update(clock.At(10));
    EXPECT_EQ(node->GetCycles(), 2u);
    EXPECT_FALSE(node->IsPlaying());
}

TEST_F(Randoms, ClonesStartWithoutChildrenAndShareTheCandidates) {
    RandomEffect* node = Started<RandomEffect>(RandomEffectXml("count='2' loop='1'"));
    ASSERT_EQ(node->GetChilds().size(), 2u);
    core::ptr<effects::Effect> copy_holder(node->Clone(std::string("text")));
    auto* copy = dynamic_cast<RandomEffect*>(copy_holder.get());
    ASSERT_NE(copy, nullptr);
    EXPECT_TRUE(copy->GetChilds().empty());
    EXPECT_EQ(copy->GetCycles(), 1u);
    ASSERT_EQ(copy->GetCandidates().size(), 2u);
    EXPECT_EQ(copy->GetCandidates()[0], node->GetCandidates()[0]);
}

TEST_F(Randoms, StoppedLoopingEffectsLeaveOnceDrained) {
    core::ptr<effects::Effect> root(new effects::Effect());
    root->AddChild(Create(RandomEffectXml("count='1' period='50' loop='true'"))->Clone());
    root->Start(false);
    root->Update(clock.At(50));
    ASSERT_EQ(root->GetChilds().size(), 1u);
    const effects::Effect& node = *root->GetChilds()[0];
    EXPECT_EQ(node.GetChilds().size(), 2u);
    root->Stop();
    root->Update(clock.At(100));  // no more batches; the copies play out their own time
    EXPECT_EQ(node.GetChilds().size(), 2u);
    root->Update(clock.At(300));  // the copies have ended, and the random effect with them
    EXPECT_TRUE(root->GetChilds().empty());
}

std::string RunnerXml(const std::string& attributes) {
    return "<random_runner x='100' y='10' " + attributes +
           "><points><p x='0' y='0'/><p x='10'/><p x='20'/></points>"
           "<running_effect><affine><key tm='0'/><key tm='1000'/></affine></running_effect></random_runner>";
}

TEST_F(Randoms, RunnerVisitsItsPointsInTurnFromARandomOne) {
    RandomRunner* runner = Started<RandomRunner>(RunnerXml("count='2' period='100' cycles_count='3'"));
    const unsigned int first = runner->GetNextPoint();
    EXPECT_LT(first, 3u);
    EXPECT_TRUE(runner->GetChilds().empty());  // the first batch waits one period
    runner->Update(clock.At(99));
    EXPECT_TRUE(runner->GetChilds().empty());
    std::vector<float> places;
    for (unsigned int t : {100u, 200u, 300u, 400u}) {
        runner->Update(clock.At(t));
    }
    for (const auto& copy : runner->GetChilds()) {
        EXPECT_EQ(copy->GetPos().y, 10.0f);
        EXPECT_EQ(copy->GetChilds()[0]->GetPos().y, 10.0f);
        places.push_back(copy->GetPos().x);
    }
    ASSERT_EQ(places.size(), 6u);
    for (size_t i = 0; i < places.size(); ++i) {
        EXPECT_EQ(places[i], 100.0f + 10.0f * ((first + i) % 3)) << i;
    }
    EXPECT_EQ(runner->GetCycles(), 3u);
}

TEST_F(Randoms, RunnerWithOneCycleStartsExactlyOneBatch) {
    RandomRunner* runner = Started<RandomRunner>(RunnerXml("count='1' period='500'"));
    runner->Update(clock.At(499));
    EXPECT_EQ(runner->GetChilds().size(), 0u);
    runner->Update(clock.At(500));
    EXPECT_EQ(runner->GetChilds().size(), 1u);
    runner->Update(clock.At(1000));
    EXPECT_EQ(runner->GetChilds().size(), 1u);
    EXPECT_TRUE(runner->IsPlaying());
    runner->Update(clock.At(1501));  // its only copy has ended
    EXPECT_FALSE(runner->IsPlaying());
}

TEST_F(Randoms, RunnerWithoutPlacesOrPrototypeStartsNothing) {
    for (const char* xml : {"<random_runner count='2' period='0'><running_effect/></random_runner>",
                            "<random_runner count='2' period='0'><points><p/></points></random_runner>"}) {
        SCOPED_TRACE(xml);
        clock.Start();
        RandomRunner* runner = Started<RandomRunner>(xml);
        runner->Update(clock.At(1));
        EXPECT_TRUE(runner->GetChilds().empty());
        EXPECT_EQ(runner->GetCycles(), 1u);
        EXPECT_FALSE(runner->IsPlaying());
    }
}

TEST_F(Randoms, RunnerClonesShareThePrototypeAndCopyThePoints) {
    RandomRunner* runner = Started<RandomRunner>(RunnerXml("count='1' period='0' loop='1'"));
    runner->Update(clock.At(1));
    core::ptr<effects::Effect> copy_holder(runner->Clone());
    auto* copy = dynamic_cast<RandomRunner*>(copy_holder.get());
    ASSERT_NE(copy, nullptr);
    EXPECT_TRUE(copy->GetChilds().empty());
    EXPECT_EQ(copy->GetRunningEffect(), runner->GetRunningEffect());
    EXPECT_EQ(copy->GetPoints().size(), 3u);
    EXPECT_EQ(copy->GetPos(), math::Vector2(100, 10));
}

// Counts beyond any real burst are cut down when read, before a start could try to make them all.
TEST_F(Randoms, OversizedBurstsAreCutDown) {
    test::CaptureLog log;
    core::ptr<effects::Effect> random = Create(
        "<random_effect count='4000000000'><running_effects><effect/></running_effects></random_effect>");
    random->Start(false);
    EXPECT_EQ(random->GetChilds().size(), 10000u);
    core::ptr<effects::Effect> runner = Create(
        "<random_runner count='4000000000' "
        "period='0'><points><p/></points><running_effect><image/></running_effect>"
        "</random_runner>");
    runner->Start(false);
    runner->Update(clock.At(1));
    EXPECT_EQ(runner->GetChilds().size(), 10000u);
    core::ptr<effects::Effect> system =
        Create("<particle_system><emitter count='4000000000'/></particle_system>");
    system->Start(false);
    EXPECT_EQ(dynamic_cast<effects::ParticleSystem*>(system.get())->GetParticles().size(), 10000u);
    EXPECT_TRUE(log.Contains("Error: a burst of 4000000000 effects, keeping 10000"));
    EXPECT_TRUE(log.Contains("Error: a burst of 4000000000 particles, keeping 10000"));
}

// A count within bounds can still multiply: copies that each burst into particles or start batches of
// their own, or long-lived copies a looping node piles up. A batch stops where what its node holds would
// pass one burst, though a node holding nothing always starts one copy.
TEST_F(Randoms, BatchesStopWhereTheirCopiesWouldKeepTooMuchMoving) {
    const struct {
        const char* name;
        const char* xml;
        std::vector<size_t> children;  // after the start and after each of two later updates
        size_t grandchildren;          // under the first copy at the end
        size_t cut_nodes;
    } cases[] = {
        {"particle bursts",
         "<random_effect count='11111111' period='0'><running_effects><particle_system><emitter "
         "count='100'/></particle_system></running_effects></random_effect>",
         {100, 100, 100},
         0,
         1},
        {"batches of batches",
         "<random_effect count='11111111'><running_effects><random_effect count='10000'><running_effects>"
         "<image/></running_effects></random_effect></running_effects></random_effect>",
         {1, 1, 1},
         10000,
         // The outer one, and the inner copy when its parent's start starts it once more.
         2},
        {"copies piling up",
         "<random_effect count='6000' period='0' loop='1'><running_effects><image/></running_effects>"
         "</random_effect>",
         {6000, 10000, 10000},
         0,
         1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        test::CaptureLog log;
        clock.Start();
        core::ptr<effects::Effect> random = Create(c.xml);
        random->Start(false);
        std::vector<size_t> children = {random->GetChilds().size()};
        for (unsigned int t : {1u, 2u}) {
            random->Update(clock.At(t));
            children.push_back(random->GetChilds().size());
        }
        EXPECT_EQ(children, c.children);
        ASSERT_FALSE(random->GetChilds().empty());
        EXPECT_EQ(random->GetChilds()[0]->GetChilds().size(), c.grandchildren);
        size_t cut_lines = 0;
        for (const std::string& line : log.Lines())
            cut_lines += line.find("keeping at most 10000 things moving") != std::string::npos;
        EXPECT_EQ(cut_lines, c.cut_nodes) << "one line a node, however often its batches are cut";
    }
}

}  // namespace
