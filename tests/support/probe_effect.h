#pragma once

#include <string>
#include <vector>

#include "vantle/effects/effect.h"

class TiXmlElement;

namespace test {

// An effect kind that writes what happens to it into a shared journal ("start a", "update a 120",
// "render a", ...). It plays while running and not finished, or while it still has children; a test
// ends it with Finish(). Element "probe" with attributes "name" and "sound" (a truth value).
class ProbeEffect : public effects::Effect {
public:
    explicit ProbeEffect(const std::string& name, bool sound = false);
    explicit ProbeEffect(TiXmlElement* element);

    effects::Effect* Clone() const override;
    effects::Effect* Clone(const std::string& text) const override;
    using effects::Effect::Update;
    void Update(unsigned int time) override;
    void Render() override;
    bool IsSound() const override { return _sound; }
    bool IsPlaying() const override;
    void OnStart() override;

    void Finish() { _finished = true; }
    const std::string& GetName() const { return _name; }
    // The text the node was cloned with; empty for a Clone() without text.
    const std::string& GetText() const { return _text; }
    // Runs once at the next update, after the update's journal line.
    void OnNextUpdate(void (*action)(ProbeEffect&)) { _on_update = action; }

    static std::vector<std::string>& Journal();
    // Enters "probe" with the effect factory.
    static void Register();

private:
    std::string _name;
    std::string _text;
    bool _sound = false;
    bool _finished = false;
    void (*_on_update)(ProbeEffect&) = nullptr;
};

}  // namespace test
