#include <gtest/gtest.h>
#include <tinyxml.h>

#include <string>

#include "effect_kinds_fixture.h"
#include "vantle/core/ptr.h"
#include "vantle/effects/effect.h"
#include "vantle/effects/effect_factory.h"

namespace {

const char* const kNames[] = {"effect",        "sound", "particle_system", "particle_emitter",
                              "emitter",       "image", "random_runner",   "text",
                              "random_effect", "fly",   "sprite",          "boids",
                              "affine"};

// Every attribute and setting child any kind reads, none of them a number, a colour or a file.
const char* const kMalformed =
    " x='?' y='?' w='?' h='?' loop='?' delay='?' period='?' count='?' cycles_count='?' no_move='?'"
    " speed='?' disp='?' rf='?' spoint='?' to_x='?' to_y='?' from_x='?' from_y='?' size='?' align='?'"
    " color='?' font='?' text='?' texture='?' filename='?' sample='?' volume_key='?' volume='?'"
    " start_color='?' end_color='?' start_size='?' end_size='?' energy='?' filtering='?' min_speed='?'"
    " max_speed='?' vis_distance='?' min_distance='?'>"
    "<key tm='?'><scale x='?'/><angle value='?'/><color value='?'/></key>"
    "<speed direction='?' spread='?' min='?' max='?'/><acceleration radial='?' left='?'/><spin min='?'/>"
    "<position left='?'/><bound left='?'/><points><p x='?'/></points><running_effect/>"
    "<running_effects><nothing/></running_effects><finish_effect/><rect left='?'/><unknown/>";

class EveryKind : public test::EffectKindsTest {
protected:
    // Runs a node through its whole life; nothing may crash or trip a sanitizer.
    void Exercise(effects::Effect* created) {
        ASSERT_NE(created, nullptr);
        core::ptr<effects::Effect> prototype(created);
        core::ptr<effects::Effect> copy(prototype->Clone());
        core::ptr<effects::Effect> text_copy(prototype->Clone(std::string("text")));
        for (const core::ptr<effects::Effect>& effect : {copy, text_copy}) {
            clock.Start();
            effect->MoveTo(math::Vector2(10, 20));
            effect->Start(false);
            for (unsigned int t : {1u, 16u, 5000u}) {
                effect->Update(clock.At(t));
                effect->Render();
            }
            effect->Stop();
            effect->Update(clock.At(6000));
            effect->IsPlaying();
        }
    }
};

TEST_F(EveryKind, EveryNameIsRegistered) {
    for (const char* name : kNames)
        EXPECT_TRUE(effects::EffectFactory::instance()->IsRegistered(name)) << name;
}

TEST_F(EveryKind, MissingElementsGiveEmptyNodes) {
    for (const char* name : kNames) {
        SCOPED_TRACE(name);
        Exercise(effects::EffectFactory::instance()->Create(nullptr, name));
    }
}

TEST_F(EveryKind, MalformedElementsGiveUsableNodes) {
    for (const char* name : kNames) {
        SCOPED_TRACE(name);
        Exercise(effects::EffectFactory::instance()->Create(
            Parse(std::string("<") + name + kMalformed + "</" + name + ">")));
    }
}

// A copy is a root of its own: starting, moving or stopping it must never reach into its source's tree.
TEST_F(EveryKind, CopiesShareNoParentAndNoChildWithTheirSource) {
    for (const char* name : kNames) {
        SCOPED_TRACE(name);
        effects::Effect holder;
        holder.AddChild(effects::EffectFactory::instance()->Create(
            Parse(std::string("<") + name + "><effect><effect/></effect></" + name + ">")));
        ASSERT_EQ(holder.GetChilds().size(), 1u);
        const core::ptr<effects::Effect>& prototype = holder.GetChilds()[0];
        for (const core::ptr<effects::Effect>& copy :
             {core::ptr<effects::Effect>(prototype->Clone()),
              core::ptr<effects::Effect>(prototype->Clone("text"))}) {
            EXPECT_EQ(copy->GetParent(), nullptr);
            for (const core::ptr<effects::Effect>& child : copy->GetChilds()) {
                EXPECT_EQ(child->GetParent(), copy.get());
                for (const core::ptr<effects::Effect>& original : prototype->GetChilds())
                    EXPECT_NE(child.get(), original.get());
            }
        }
    }
}

}  // namespace
