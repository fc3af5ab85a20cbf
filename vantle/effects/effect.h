#pragma once

#include <deque>
#include <string>
#include <vector>

#include "vantle/core/ptr.h"
#include "vantle/core/singleton.h"
#include "vantle/math/mat4.h"
#include "vantle/math/vec2.h"
#include "vantle/render/color.h"

class TiXmlElement;

namespace effects {

// A node of an effect tree. Trees are loaded once as prototypes, copied with Clone() for each use, moved
// into place and run by an effect manager. Every Update receives the absolute frame time in milliseconds.
//
// Kinds derive from it and override what they need. C++ hides the other overload when one Update or Clone
// is overridden: a kind overrides both Clones, and brings Update() in with a using-declaration, since it
// only hands the frame clock's time to Update(unsigned int).
class Effect {
public:
    Effect();
    // Position from "x" and "y", then every child element that names a registered kind as a child.
    explicit Effect(TiXmlElement* element);
    // The tree of an effect file (root element "effect"); an empty node when the file is missing or broken.
    explicit Effect(const std::string& file_name);
    virtual ~Effect();

    // A new, unstarted copy of the node and, through each child's own Clone, of its subtree.
    virtual Effect* Clone() const;
    // As Clone(), with the text handed to every node of the copy.
    virtual Effect* Clone(const std::string& text) const;
    // Update(unsigned int) with the frame clock's time.
    virtual void Update();
    // Updates the children and drops those that stopped playing.
    virtual void Update(unsigned int time);
    virtual void Render();
    virtual bool IsSound() const;
    // A plain node plays while it has children.
    virtual bool IsPlaying() const;
    // Called by Start before the children start; kinds note their start time here.
    virtual void OnStart();
    // How many things the subtree keeps moving once started: a leaf counts 1, a node its children, and
    // kinds that make many things at once (particle bursts, flocks, batches of copies) count those. The
    // random effects bound their batches by it.
    virtual unsigned int Weight() const;

    Effect* GetRoot();
    // Puts the node and its whole subtree at the same absolute point.
    void SetPos(const math::Vector2& point);
    void MoveTo(const math::Vector2& point);
    const math::Vector2& GetPos() const { return position; }

    // Starts the subtree, parents before children; with no_sound, sound nodes and their subtrees stay idle.
    void Start(bool no_sound);
    // OnStart again through the subtree, leaving the running flags alone.
    void Restart();
    // Clears the running flag through the subtree.
    void Stop();
    bool IsRunning() const { return running != 0; }

    // Safe when a child's update adds children to this node: those are reached in the same pass.
    void UpdateChilds(unsigned int time);
    void RenderChilds();
    // Takes ownership of the child; null is ignored.
    void AddChild(Effect* child);
    void LoadChilds(TiXmlElement* element);
    void CloneChilds(const Effect* source);
    void CloneChilds(const Effect* source, const std::string& text);

    Effect* GetParent() const { return parent; }
    const std::vector<core::ptr<Effect>>& GetChilds() const { return children; }

    // Enters "effect" with the effect factory.
    static void Register();

protected:
    // The one way a node is copied: Clone starts from the kind's defaulted copy constructor, so every
    // field, including one added later, is copied; then it resets on the copy what a copy must not keep
    // (the running flag, a channel, a clock) and adds copies of the children the kind carries. This base
    // part copies the position and the running flag; the copy is a root without children, so nothing
    // reaches the source's subtree through it.
    Effect(const Effect& other);
    Effect& operator=(const Effect&) = delete;

    bool HasChilds() const { return !children.empty(); }
    // The playing rule of kinds that repeat until stopped: they play while running and looping, and once
    // stopped only until their children have finished, so a stopped tree always leaves its manager.
    bool IsLoopPlaying(bool loop) const { return (loop && running != 0) || HasChilds(); }

    Effect* parent = nullptr;
    std::vector<core::ptr<Effect>> children;
    unsigned int running = 0;
    math::Vector2 position;

private:
    void LoadFile(const std::string& file_name);
};

// The creator of "effect" elements.
Effect* EffectCreate(TiXmlElement* element);

// Weights add and multiply up to the largest unsigned int instead of wrapping.
unsigned int AddWeights(unsigned int a, unsigned int b);
unsigned int MultiplyWeight(unsigned int weight, unsigned int times);

// The transform and colour a container effect hands to the nodes below it.
struct EffectState {
    math::Matrix4 matrix;
    render::Color color;
};

// The current effect transform and colour. Users restore it before they return, through an
// EffectStateScope.
class CurrentEffectMatrix : public core::Singleton<CurrentEffectMatrix> {
public:
    CurrentEffectMatrix();

    math::Matrix4& GetMatrix() { return _matrix; }
    void SetMatrix(const math::Matrix4& matrix) { _matrix = matrix; }
    render::Color& GetColor() { return _color; }
    void SetColor(const render::Color& color) { _color = color; }
    void SetState(const EffectState& state);
    void Push();
    // Restores the last pushed state; nothing on an empty stack.
    void Pop();

private:
    math::Matrix4 _matrix;
    render::Color _color;
    std::deque<EffectState> _stack;
};

// Saves the current effect state on construction and restores it on destruction, however the scope is
// left. The second form then sets the state handed down to the nodes below.
class EffectStateScope {
public:
    EffectStateScope();
    explicit EffectStateScope(const EffectState& state);
    ~EffectStateScope();
    EffectStateScope(const EffectStateScope&) = delete;
    EffectStateScope& operator=(const EffectStateScope&) = delete;

private:
    CurrentEffectMatrix* _current;
};

}  // namespace effects
