#pragma once

#include <cstddef>
#include <vector>

namespace core {

// Told after a change of what it watches. Observers are referred to by plain pointer and never owned or
// deleted through this interface.
class Observer {
public:
    virtual void OnUpdate() {}

protected:
    Observer() = default;
    Observer(const Observer&) = default;
    Observer& operator=(const Observer&) = default;
    ~Observer() = default;
};

// Observers in order of attachment; the same observer may stand in it more than once.
//
// The list may change while it is notified: an observer detached during a pass is not called after its
// detachment (it may be gone already), one attached during a pass is first called by the next pass, and
// a nested Notify runs depth first. Detached entries stay as tombstones until the outermost pass ends.
class Observable {
public:
    Observable() = default;
    Observable(const Observable&) = delete;
    Observable& operator=(const Observable&) = delete;

    // A null observer is ignored.
    void AttachObserver(Observer* observer);
    // Removes the first entry equal to the observer; nothing when absent.
    void DetachObserver(Observer* observer);
    // Calls OnUpdate() on every observer from the first attached to the last.
    void Notify();

    // Live entries, counting duplicates.
    std::size_t size() const;

private:
    void compact();

    std::vector<Observer*> _observers;  // null marks a detached entry while a pass runs
    int _passes = 0;
};

}  // namespace core
