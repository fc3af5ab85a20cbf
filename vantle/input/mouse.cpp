#include "vantle/input/mouse.h"

namespace input {

Mouse::~Mouse() {
    delete _implementation;
}

void Mouse::SetImplementation(IMouse* implementation) {
    if (implementation == _implementation) return;
    delete _implementation;
    _implementation = implementation;
}

void Mouse::Update() {
    if (_implementation) _implementation->Update();
}

int Mouse::GetPositionX() {
    return _implementation ? _implementation->GetPositionX() : 0;
}

int Mouse::GetPositionY() {
    return _implementation ? _implementation->GetPositionY() : 0;
}

math::Vector2 Mouse::GetPosition() {
    return _implementation ? _implementation->GetPosition() : math::Vector2();
}

int Mouse::GetButtonState(int button) {
    return _implementation ? _implementation->GetButtonState(button) : 0;
}

void Mouse::SetPosition(int x, int y) {
    if (_implementation) _implementation->SetPosition(x, y);
}

std::vector<ButtonChange> Mouse::TakeButtonChanges() {
    return _implementation ? _implementation->TakeButtonChanges() : std::vector<ButtonChange>();
}

bool Mouse::IsInside() {
    return _implementation ? _implementation->IsInside() : true;
}

}  // namespace input
