#pragma once

#include <cstdlib>

namespace core {

// Lazily created process-wide instance, destroyed by an exit handler. Exit handlers run in reverse order
// of registration and a singleton registers once its constructor has returned, so a singleton used by
// another's constructor outlives it.
template <class T>
class Singleton {
public:
    static T* instance() {
        if (_instance) return _instance;
        T* created = new T();
        _instance = created;
        std::atexit(&Singleton::destroy);
        return created;
    }

    static void destroy() {
        T* doomed = _instance;
        _instance = nullptr;
        delete doomed;
    }

    // Whether the instance lives now. Objects destroyed during exit ask this instead of calling
    // instance(), which would bring a destroyed service back.
    static bool exists() { return _instance != nullptr; }

protected:
    Singleton() = default;
    ~Singleton() = default;

private:
    static inline T* _instance = nullptr;
};

}  // namespace core
