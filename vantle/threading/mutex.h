#pragma once

#include <pthread.h>

namespace threading {

// A plain (not recursive) POSIX mutex.
class Mutex {
public:
    Mutex();
    ~Mutex();
    Mutex(const Mutex&) = delete;
    Mutex& operator=(const Mutex&) = delete;

    void Lock();
    void Unlock();
    // Locks, waiting like Lock, and returns true.
    bool TryLock();

    // Holds the mutex for its own lifetime.
    class Locker {
    public:
        explicit Locker(Mutex& mutex) : _mutex(mutex) { _mutex.Lock(); }
        ~Locker() { _mutex.Unlock(); }
        Locker(const Locker&) = delete;
        Locker& operator=(const Locker&) = delete;

    private:
        Mutex& _mutex;
    };

private:
    pthread_mutex_t _mutex;
};

}  // namespace threading
