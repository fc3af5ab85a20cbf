#include "support/fake_input.h"

#include <gtest/gtest.h>

namespace test {

namespace {

// The facade keeps what was installed first for the whole process; T is installed when nothing is.
template <class T, class Facade>
T* InstallInto(Facade* facade) {
    if (!facade->GetImplementation()) facade->SetImplementation(new T);
    T* installed = dynamic_cast<T*>(facade->GetImplementation());
    EXPECT_NE(installed, nullptr) << "another implementation is installed";
    return installed;
}

}  // namespace

FakeMouse* FakeMouse::Install() {
    return InstallInto<FakeMouse>(input::Mouse::instance());
}

int FakeMouse::GetButtonState(int button) {
    return button >= 0 && button < kButtons ? buttons[button] : 0;
}

void FakeMouse::SetPosition(int x, int y) {
    position = math::Vector2(static_cast<float>(x), static_cast<float>(y));
}

std::vector<input::ButtonChange> FakeMouse::TakeButtonChanges() {
    std::vector<input::ButtonChange> taken;
    taken.swap(changes);
    return taken;
}

void FakeMouse::Release() {
    position = math::Vector2();
    for (int& button : buttons) button = 0;
    changes.clear();
    inside = true;
}

FakeKeyboard* FakeKeyboard::Install() {
    return InstallInto<FakeKeyboard>(input::Keyboard::instance());
}

int FakeKeyboard::KeyState(int code) {
    return code >= 0 && code < kKeys ? keys[code] : 0;
}

std::string FakeKeyboard::PopChars() {
    std::string popped;
    popped.swap(typed);
    return popped;
}

void FakeKeyboard::Release() {
    for (int& key : keys) key = 0;
    typed.clear();
}

}  // namespace test
