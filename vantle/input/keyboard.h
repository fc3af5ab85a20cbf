#pragma once

#include <string>

#include "vantle/core/singleton.h"

namespace input {

// The keyboard, polled once per frame with Update.
class IKeyboard {
public:
    virtual ~IKeyboard() = default;
    virtual void Update() = 0;
    // 1 while the key with the engine code is held, else 0. Codes: the arrows 37 (left) to 40 (down),
    // other keys their SDL symbol below 256.
    virtual int KeyState(int code) = 0;
    // The characters typed since the last call, oldest first.
    virtual std::string PopChars() = 0;
};

// The facade the system reads the keyboard through. Without an implementation no key is held and
// nothing was typed.
class Keyboard : public IKeyboard, public core::Singleton<Keyboard> {
public:
    Keyboard() = default;
    ~Keyboard() override;
    Keyboard(const Keyboard&) = delete;
    Keyboard& operator=(const Keyboard&) = delete;

    // Takes ownership; a previous implementation is deleted.
    void SetImplementation(IKeyboard* implementation);
    IKeyboard* GetImplementation() const { return _implementation; }

    void Update() override;
    int KeyState(int code) override;
    std::string PopChars() override;

private:
    IKeyboard* _implementation = nullptr;
};

}  // namespace input
