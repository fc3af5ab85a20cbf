#include "support/probe_effect.h"

#include "vantle/effects/effect_factory.h"
#include "vantle/xml/attributes.h"

namespace test {

namespace {
effects::Effect* ProbeEffectCreate(TiXmlElement* element) {
    return new ProbeEffect(element);
}
}  // namespace

ProbeEffect::ProbeEffect(const std::string& name, bool sound) : _name(name), _sound(sound) {}

ProbeEffect::ProbeEffect(TiXmlElement* element) : effects::Effect(element) {
    _name = xml::ReadText(element, "name", _name);
    _sound = xml::ReadBool(element, "sound", _sound);
}

effects::Effect* ProbeEffect::Clone() const {
    ProbeEffect* copy = new ProbeEffect(_name, _sound);
    copy->position = position;
    copy->CloneChilds(this);
    return copy;
}

effects::Effect* ProbeEffect::Clone(const std::string& text) const {
    ProbeEffect* copy = new ProbeEffect(_name, _sound);
    copy->position = position;
    copy->_text = text;
    copy->CloneChilds(this, text);
    return copy;
}

void ProbeEffect::Update(unsigned int time) {
    Journal().push_back("update " + _name + " " + std::to_string(time));
    if (_on_update) {
        auto action = _on_update;
        _on_update = nullptr;
        action(*this);
    }
    UpdateChilds(time);
}

void ProbeEffect::Render() {
    Journal().push_back("render " + _name);
    RenderChilds();
}

bool ProbeEffect::IsPlaying() const {
    return (IsRunning() && !_finished) || !GetChilds().empty();
}

void ProbeEffect::OnStart() {
    Journal().push_back("start " + _name);
}

std::vector<std::string>& ProbeEffect::Journal() {
    static std::vector<std::string> journal;
    return journal;
}

void ProbeEffect::Register() {
    effects::EffectFactory::instance()->Register("probe", &ProbeEffectCreate);
}

}  // namespace test
