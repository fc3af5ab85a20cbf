#pragma once

#include <cstddef>
#include <type_traits>
#include <utility>

namespace core {

namespace detail {
// One holder per shared object; pointers to bases and to the derived class share it.
struct PtrHolder {
    void* object;
    int count;
    void (*destroy)(void*);

    void ref() { ++count; }
    // Releases one reference; deletes the object and the holder on the last one.
    void unref() {
        if (--count < 1) destroy_all();
    }
    // Out of line: inlined, it makes GCC 12 warn of a use after free wherever several pointers to one
    // holder are released in a row, as it cannot see that the count stays above zero.
    [[gnu::noinline]] void destroy_all() {
        if (object) destroy(object);
        delete this;
    }
};

template <class T>
void DeleteObject(void* object) {
    delete static_cast<T*>(object);
}
}  // namespace detail

// Reference-counted shared pointer. Not thread-safe: the engine runs on one thread.
// Empty when it has no holder or its holder's object is null.
template <class T>
class ptr {
public:
    // Shared by every pointer to one object, whatever its static type.
    using holder = detail::PtrHolder;

    ptr() = default;
    explicit ptr(T* object)
        : _holder(new detail::PtrHolder{object, 1, &detail::DeleteObject<T>}), _object(object) {}
    ptr(std::nullptr_t) {}
    ptr(const ptr& other) : _holder(other._holder), _object(other._object) {
        if (_holder) _holder->ref();
    }
    template <class U, class = std::enable_if_t<std::is_convertible_v<U*, T*>>>
    ptr(const ptr<U>& other) : _holder(other._holder), _object(other._object) {
        if (_holder) _holder->ref();
    }
    ~ptr() { release(); }

    ptr& operator=(const ptr& other) {
        // Raise before release: assigning a pointer to itself keeps the object alive.
        if (other._holder) other._holder->ref();
        release();
        _holder = other._holder;
        _object = other._object;
        return *this;
    }

    // A pointer holds an object exactly when its holder does: no holder's object is ever cleared, and
    // the casts give a null object no holder.
    T* get() const { return _object; }
    T* operator->() const { return get(); }
    T& operator*() const { return *get(); }
    bool empty() const { return get() == nullptr; }
    explicit operator bool() const { return !empty(); }

    // Drops this pointer's reference.
    void reset() {
        release();
        _holder = nullptr;
        _object = nullptr;
    }

    // How many pointers share the object (0 without a holder).
    int use_count() const { return _holder ? _holder->count : 0; }

    friend bool operator==(const ptr& a, const ptr& b) { return a.get() == b.get(); }
    friend bool operator!=(const ptr& a, const ptr& b) { return a.get() != b.get(); }

private:
    template <class U>
    friend class ptr;
    template <class U, class V>
    friend ptr<U> static_ptr_cast(const ptr<V>&);
    template <class U, class V>
    friend ptr<U> dynamic_ptr_cast(const ptr<V>&);

    ptr(detail::PtrHolder* holder, T* object) : _holder(holder), _object(object) {
        if (_holder) _holder->ref();
    }

    void release() {
        if (_holder) _holder->unref();
    }

    detail::PtrHolder* _holder = nullptr;
    T* _object = nullptr;
};

// Casts that share the holder, so both pointers keep the one object alive.
template <class U, class V>
ptr<U> static_ptr_cast(const ptr<V>& p) {
    return ptr<U>(p._holder, static_cast<U*>(p._object));
}

template <class U, class V>
ptr<U> dynamic_ptr_cast(const ptr<V>& p) {
    U* object = dynamic_cast<U*>(p.get());
    return object ? ptr<U>(p._holder, object) : ptr<U>();
}

}  // namespace core
