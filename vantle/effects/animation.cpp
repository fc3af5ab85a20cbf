#include "vantle/effects/animation.h"

#include <tinyxml.h>

#include <string>

#include "vantle/io/stream.h"
#include "vantle/xml/attributes.h"
#include "vantle/xml/xmlcache.h"

namespace effects {

namespace {

// A child present without "x" or "y" gives 0 for that coordinate, not the fallback's.
math::Vector2 ReadVector(TiXmlElement* element, const char* child_name, const math::Vector2& fallback) {
    TiXmlElement* child = element->FirstChildElement(child_name);
    return child ? xml::ReadPoint(child) : fallback;
}

float DegreesToRadians(float degrees) {
    return (degrees + degrees) * math::PI / 360.0f;
}

}  // namespace

Animation::Key::Key(TiXmlElement* element) {
    if (!element) return;
    tm = xml::ReadUnsigned(element, "tm", tm);
    scale = ReadVector(element, "scale", scale);
    move = ReadVector(element, "move", move);
    if (TiXmlElement* child = element->FirstChildElement("angle")) {
        if (const auto degrees = xml::FindFloat(child, "value")) angle = DegreesToRadians(*degrees);
    }
    pivot = ReadVector(element, "pivot", pivot);
    if (TiXmlElement* child = element->FirstChildElement("color")) {
        color = render::ReadColor(child, "value", color);
    }
}

Animation::Animation(TiXmlElement* element) {
    Load(element);
}

Animation::Animation(const core::ptr<io::IStream>& stream) {
    if (!stream || !stream->IsOpened()) return;
    const core::ptr<TiXmlDocument> document = xml::Parse("animation", io::ReadText(stream));
    if (xml::ReportParseError(*document, "Error loading animation: ")) return;
    TiXmlNode* root = document->FirstChild("animation");
    if (root) Load(root->ToElement());
}

void Animation::Load(TiXmlElement* element) {
    if (!element) return;
    loop = xml::ReadBool(element, "loop", loop != 0) ? 1 : 0;
    delay = xml::ReadUnsigned(element, "delay", 0);
    for (TiXmlElement* key = element->FirstChildElement("key"); key; key = key->NextSiblingElement("key")) {
        AddKey(Key(key));
    }
}

void Animation::AddKey(const Key& key) {
    keys.push_back(key);
    if (key.tm > duration) duration = key.tm;
}

Animation::State Animation::InitialState() {
    return State{math::Matrix4::IDENTITY, render::Color(1, 1, 1, 1)};
}

unsigned int Animation::AnimationTime(unsigned int t) const {
    unsigned int u = t > delay ? t - delay : 0;
    if (duration == 0) return 0;
    if (u <= duration) return u;
    return loop ? u % duration : duration;
}

void Animation::UpdateState(unsigned int t, State& state) const {
    state = InitialState();
    const unsigned int u = AnimationTime(t);
    for (size_t i = 0; i + 1 < keys.size(); ++i) {
        const Key& a = keys[i];
        const Key& b = keys[i + 1];
        if (u < a.tm || u > b.tm) continue;
        // Two keys at one time are a jump: the later one holds from that time on.
        const float span = static_cast<float>(b.tm - a.tm);
        const float f = span > 0.0f ? static_cast<float>(u - a.tm) / span : 1.0f;
        const math::Vector2 offset = math::Vector2::Lerp(a.move, b.move, f);
        const math::Vector2 scale = math::Vector2::Lerp(a.scale, b.scale, f);
        const float angle = a.angle + f * (b.angle - a.angle);
        const math::Vector2& pivot = b.pivot;
        state.color = render::Color::Lerp(a.color, b.color, f);
        state.matrix = math::Translation(pivot) * math::Matrix4().Rotate(angle, 0.0f, 0.0f, 1.0f) *
                       math::Translation(-pivot) * math::Translation(offset) *
                       math::Matrix4().Scale(scale.x, scale.y, 1.0f);
        return;
    }
}

math::Matrix4 Animation::GetMatrix4(unsigned int t) const {
    State state;
    UpdateState(t, state);
    return state.matrix;
}

}  // namespace effects
