#include "vantle/core/observer.h"

#include <algorithm>

namespace core {

namespace {

// Keeps the pass count right even when an observer throws.
class PassGuard {
public:
    explicit PassGuard(int& passes) : _passes(passes) { ++_passes; }
    ~PassGuard() { --_passes; }
    PassGuard(const PassGuard&) = delete;
    PassGuard& operator=(const PassGuard&) = delete;

private:
    int& _passes;
};

}  // namespace

void Observable::AttachObserver(Observer* observer) {
    if (observer) _observers.push_back(observer);
}

void Observable::DetachObserver(Observer* observer) {
    if (!observer) return;
    const auto found = std::find(_observers.begin(), _observers.end(), observer);
    if (found == _observers.end()) return;
    // Erasing would shift the entries under a running pass.
    if (_passes > 0)
        *found = nullptr;
    else
        _observers.erase(found);
}

void Observable::Notify() {
    {
        PassGuard guard(_passes);
        // Entries attached during the pass lie beyond this end; the vector may grow, so index it afresh.
        const std::size_t end = _observers.size();
        for (std::size_t i = 0; i < end; ++i) {
            Observer* observer = _observers[i];
            if (observer) observer->OnUpdate();
        }
    }
    if (_passes == 0) compact();
}

std::size_t Observable::size() const {
    return static_cast<std::size_t>(std::count_if(
        _observers.begin(), _observers.end(), [](const Observer* observer) { return observer != nullptr; }));
}

void Observable::compact() {
    _observers.erase(std::remove(_observers.begin(), _observers.end(), nullptr), _observers.end());
}

}  // namespace core
