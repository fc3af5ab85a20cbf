#include "vantle/input/keyboard.h"

namespace input {

Keyboard::~Keyboard() {
    delete _implementation;
}

void Keyboard::SetImplementation(IKeyboard* implementation) {
    if (implementation == _implementation) return;
    delete _implementation;
    _implementation = implementation;
}

void Keyboard::Update() {
    if (_implementation) _implementation->Update();
}

int Keyboard::KeyState(int code) {
    return _implementation ? _implementation->KeyState(code) : 0;
}

std::string Keyboard::PopChars() {
    return _implementation ? _implementation->PopChars() : std::string();
}

}  // namespace input
