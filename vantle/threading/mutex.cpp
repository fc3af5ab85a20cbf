#include "vantle/threading/mutex.h"

namespace threading {

Mutex::Mutex() {
    pthread_mutex_init(&_mutex, nullptr);
}

Mutex::~Mutex() {
    pthread_mutex_destroy(&_mutex);
}

void Mutex::Lock() {
    pthread_mutex_lock(&_mutex);
}

void Mutex::Unlock() {
    pthread_mutex_unlock(&_mutex);
}

bool Mutex::TryLock() {
    Lock();
    return true;
}

}  // namespace threading
