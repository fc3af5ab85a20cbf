#include <gtest/gtest.h>
#include <tinyxml.h>

#include <algorithm>
#include <string>
#include <vector>

#include "support/capture_log.h"
#include "support/fake_platform.h"
#include "support/probe_effect.h"
#include "support/still_mouse.h"
#include "vantle/effects/effect.h"
#include "vantle/effects/effect_factory.h"
#include "vantle/effects/effect_manager.h"
#include "vantle/effects/effects/register.h"
#include "vantle/utils/timer.h"

namespace {

using effects::Effect;
using effects::EffectFactory;
using effects::EffectManagerLocal;
using effects::EffectPuppy;
using test::ProbeEffect;

Effect* MakeMarked(TiXmlElement*) {
    return new ProbeEffect("second creator");
}

TEST(EffectFactory, CreatesByExactNameAndTheLastRegistrationWins) {
    effects::RegisterEffects();
    ProbeEffect::Register();
    TiXmlElement probe("probe");
    probe.SetAttribute("name", "p");
    TiXmlElement capital("Probe");
    TiXmlElement unknown("sparkle");

    core::ptr<Effect> made(EffectFactory::instance()->Create(&probe));
    ASSERT_TRUE(dynamic_cast<ProbeEffect*>(made.get()));
    EXPECT_EQ(EffectFactory::instance()->Create(&capital), nullptr);
    EXPECT_EQ(EffectFactory::instance()->Create(&unknown), nullptr);
    EXPECT_EQ(EffectFactory::instance()->Create(nullptr), nullptr);

    core::ptr<Effect> by_name(EffectFactory::instance()->Create(&unknown, "probe"));
    EXPECT_TRUE(dynamic_cast<ProbeEffect*>(by_name.get()));
    core::ptr<Effect> plain(EffectFactory::instance()->Create(&probe, "effect"));
    EXPECT_FALSE(dynamic_cast<ProbeEffect*>(plain.get()));

    EffectFactory::instance()->Register("effect", &MakeMarked);
    TiXmlElement effect("effect");
    core::ptr<Effect> remade(EffectFactory::instance()->Create(&effect));
    ASSERT_TRUE(dynamic_cast<ProbeEffect*>(remade.get()));
    EXPECT_EQ(dynamic_cast<ProbeEffect*>(remade.get())->GetName(), "second creator");
    effects::RegisterEffects();
}

// A started plain root holding one probe: it plays until the probe is finished.
core::ptr<Effect> Tree(const std::string& name, ProbeEffect** probe = nullptr) {
    core::ptr<Effect> root(new Effect());
    ProbeEffect* leaf = new ProbeEffect(name);
    root->AddChild(leaf);
    if (probe) *probe = leaf;
    return root;
}

class Manager : public ::testing::Test {
protected:
    void SetUp() override { ProbeEffect::Journal().clear(); }

    std::vector<std::string> Rendered() {
        ProbeEffect::Journal().clear();
        manager.Render();
        return ProbeEffect::Journal();
    }

    EffectManagerLocal manager;
};

TEST_F(Manager, DrawsInStartOrderAndDropsFinishedEffects) {
    ProbeEffect* a = nullptr;
    ProbeEffect* c = nullptr;
    manager.StartEffect(Tree("a", &a));
    manager.StartEffect(Tree("b"));
    manager.StartEffect(Tree("c", &c));
    EXPECT_EQ(manager.GetEffectCount(), 3u);
    EXPECT_EQ(Rendered(), (std::vector<std::string>{"render a", "render b", "render c"}));

    a->Finish();
    c->Finish();
    manager.Update();  // the probes go this frame, their roots drain with them
    EXPECT_EQ(manager.GetEffectCount(), 1u);
    EXPECT_EQ(Rendered(), (std::vector<std::string>{"render b"}));
}

TEST_F(Manager, EmptyTreesAndEmptyPointers) {
    manager.StartEffect(core::ptr<Effect>());
    EffectPuppy none = manager.StartEffectWithPuppy(core::ptr<Effect>());
    EXPECT_EQ(manager.GetEffectCount(), 0u);
    EXPECT_FALSE(none.IsAlive());
    none.MoveTo(math::Vector2(1.0f, 1.0f));
    none.Stop();

    EffectPuppy childless = manager.StartEffectWithPuppy(core::ptr<Effect>(new Effect()));
    EXPECT_EQ(manager.GetEffectCount(), 1u);
    manager.Update();
    EXPECT_EQ(manager.GetEffectCount(), 0u);
    EXPECT_FALSE(childless.IsAlive());
}

TEST_F(Manager, HandlesSeeTheirEffectEndAndKeepItAlive) {
    ProbeEffect* leaf = nullptr;
    core::ptr<EffectPuppy> puppy(new EffectPuppy());
    manager.StartEffect(Tree("a", &leaf), puppy);
    EXPECT_TRUE(puppy->IsAlive());
    puppy->MoveTo(math::Vector2(30.0f, 40.0f));
    EXPECT_EQ(leaf->GetPos().x, 30.0f);

    puppy->Stop();
    EXPECT_FALSE(leaf->IsRunning());
    manager.Update();
    EXPECT_EQ(manager.GetEffectCount(), 0u);
    EXPECT_FALSE(puppy->IsAlive());
    EXPECT_EQ(puppy->GetEffect().use_count(), 1);  // the handle alone keeps the detached tree
    puppy->MoveTo(math::Vector2(1.0f, 2.0f));
}

TEST_F(Manager, SetEffectStopsThePreviousOne) {
    ProbeEffect* first = nullptr;
    core::ptr<Effect> one = Tree("one", &first);
    manager.StartEffect(one);
    EffectPuppy puppy(one);
    puppy.SetEffect(Tree("two"));
    EXPECT_FALSE(first->IsRunning());
    EXPECT_EQ(puppy.GetEffect()->GetChilds().size(), 1u);
}

TEST_F(Manager, EffectsStartedDuringTheWalkAreUpdatedInTheSamePass) {
    static EffectManagerLocal* target = nullptr;
    target = &manager;
    ProbeEffect* starter = nullptr;
    manager.StartEffect(Tree("starter", &starter));
    starter->OnNextUpdate([](ProbeEffect& self) {
        for (int i = 0; i < 5; ++i) target->StartEffect(Tree("late"));
        self.Finish();  // leaves in the same pass that starts its successors
    });
    manager.Update();
    std::vector<std::string> journal;
    for (const auto& line : ProbeEffect::Journal()) {
        if (line.rfind("update", 0) == 0) journal.push_back(line);
    }
    ASSERT_EQ(journal.size(), 6u);
    EXPECT_EQ(journal[0].rfind("update starter", 0), 0u);
    EXPECT_EQ(journal[5].rfind("update late", 0), 0u);
    EXPECT_EQ(manager.GetEffectCount(), 5u);
}

TEST_F(Manager, SoundsOffLeavesSoundNodesIdle) {
    manager.SoundsOff(true);
    core::ptr<Effect> root(new Effect());
    root->AddChild(new ProbeEffect("noise", true));
    root->AddChild(new ProbeEffect("light"));
    manager.StartEffect(root);
    EXPECT_EQ(ProbeEffect::Journal(), (std::vector<std::string>{"start light"}));
}

// A kind that repeats until stopped, under the shared rule for such kinds.
class Looper : public Effect {
public:
    using Effect::Clone;
    using Effect::Update;
    bool IsPlaying() const override { return IsLoopPlaying(true); }
};

TEST_F(Manager, StoppedLoopingEffectsLeaveOnceTheirChildrenFinish) {
    Looper* looper = new Looper();
    ProbeEffect* child = new ProbeEffect("spark");
    looper->AddChild(child);
    core::ptr<Effect> root(new Effect());
    root->AddChild(looper);
    EffectPuppy puppy = manager.StartEffectWithPuppy(root);

    manager.Update();
    child->Finish();
    manager.Update();
    EXPECT_EQ(manager.GetEffectCount(), 1u);  // still running: a loop plays without children

    puppy.Stop();
    manager.Update();
    EXPECT_EQ(manager.GetEffectCount(), 0u);
    EXPECT_FALSE(puppy.IsAlive());
}

}  // namespace

namespace {

class GlobalManager : public ::testing::Test {
protected:
    void SetUp() override {
        clock = test::FakePlatform::Install();
        ASSERT_NE(clock, nullptr);
        mouse = test::StillMouse::Install();
        ProbeEffect::Journal().clear();
    }
    void TearDown() override { input::Mouse::instance()->SetImplementation(nullptr); }

    test::FakePlatform* clock = nullptr;
    test::StillMouse* mouse = nullptr;
};

TEST_F(GlobalManager, UpdatesWithTheFrameClock) {
    auto* manager = effects::EffectManager::instance();
    ProbeEffect* probe = nullptr;
    manager->StartEffect(Tree("timed", &probe));
    clock->SetTicks(5000);
    utils::Timer::instance()->Update();
    const unsigned int now = utils::Timer::instance()->GetTime();
    ProbeEffect::Journal().clear();
    manager->Update();
    EXPECT_EQ(ProbeEffect::Journal(), (std::vector<std::string>{"update timed " + std::to_string(now)}));
    probe->Finish();
    manager->Update();
    EXPECT_EQ(manager->GetEffectCount(), 0u);
}

TEST_F(GlobalManager, MouseEffectsFollowTheCursorAndLeaveWhenStopped) {
    auto* manager = effects::EffectManager::instance();
    test::CaptureLog log;
    manager->StopMouseEffect();  // none yet: only the log line
    EXPECT_EQ(log.Lines(), (std::vector<std::string>{"STOPPING MOUSE EFFECT"}));

    mouse->position = math::Vector2(10.0f, 20.0f);
    ProbeEffect* first = nullptr;
    ProbeEffect* second = nullptr;
    manager->StartMouseEffect(Tree("first", &first));
    EXPECT_EQ(first->GetPos().x, 10.0f);
    mouse->position = math::Vector2(30.0f, 40.0f);
    manager->Update();
    EXPECT_EQ(first->GetPos().y, 40.0f);

    manager->StartMouseEffect(Tree("second", &second));
    EXPECT_FALSE(first->IsRunning());
    EXPECT_TRUE(second->IsRunning());
    mouse->position = math::Vector2(50.0f, 60.0f);
    manager->Update();  // the stopped first effect leaves, the second follows the cursor
    EXPECT_EQ(manager->GetEffectCount(), 1u);
    EXPECT_EQ(second->GetPos().x, 50.0f);

    // Stopping and restarting many times leaves nothing behind once the effects drain.
    for (int i = 0; i < 10; ++i) {
        manager->StartMouseEffect(Tree("again"));
        manager->StopMouseEffect();
    }
    manager->Update();
    EXPECT_EQ(manager->GetEffectCount(), 0u);
    EXPECT_FALSE(manager->GetMouseEffect().IsAlive());
    EXPECT_EQ(std::count(log.Lines().begin(), log.Lines().end(), "STTARTING MOUSE EFFECT"), 12);
}

}  // namespace
