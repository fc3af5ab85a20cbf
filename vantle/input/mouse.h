#pragma once

#include <vector>

#include "vantle/core/singleton.h"
#include "vantle/math/vec2.h"

namespace input {

// A button going down or up, where the pointer was when it happened.
struct ButtonChange {
    int button = 0;
    bool down = false;
    int x = 0;
    int y = 0;
};

// The mouse, polled once per frame with Update. Positions are window pixels, origin at the top left.
class IMouse {
public:
    virtual ~IMouse() = default;
    virtual void Update() = 0;
    virtual int GetPositionX() = 0;
    virtual int GetPositionY() = 0;
    virtual math::Vector2 GetPosition() = 0;
    // 1 while the button (0 left, 1 middle, 2 right) is held, else 0.
    virtual int GetButtonState(int button) = 0;
    virtual void SetPosition(int x, int y) = 0;
    // The button changes since the last call, oldest first. A mouse that only samples its state has none;
    // one that has them lets a press and release between two samples count.
    virtual std::vector<ButtonChange> TakeButtonChanges() { return {}; }
    // Whether the pointer was over the program's window at the last update; the position then still
    // says where it left. A mouse that cannot tell says it was.
    virtual bool IsInside() { return true; }
};

// The facade the system reads the mouse through. Before an implementation is installed it reports the
// origin and no button held.
class Mouse : public IMouse, public core::Singleton<Mouse> {
public:
    Mouse() = default;
    ~Mouse() override;
    Mouse(const Mouse&) = delete;
    Mouse& operator=(const Mouse&) = delete;

    // Takes ownership; a previous implementation is deleted.
    void SetImplementation(IMouse* implementation);
    IMouse* GetImplementation() const { return _implementation; }

    void Update() override;
    int GetPositionX() override;
    int GetPositionY() override;
    math::Vector2 GetPosition() override;
    int GetButtonState(int button) override;
    void SetPosition(int x, int y) override;
    std::vector<ButtonChange> TakeButtonChanges() override;
    bool IsInside() override;

private:
    IMouse* _implementation = nullptr;
};

}  // namespace input
