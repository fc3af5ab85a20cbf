#pragma once

#include <list>
#include <map>
#include <set>

#include "vantle/core/ptr.h"

namespace utils {

// Shared resources by key, each made once through F::Create(key). A failed creation (an empty pointer)
// is stored too, so it is not retried until Clear.
template <class T, class K, class F>
class Cache {
public:
    core::ptr<T> Get(const K& key) {
        auto found = _entries.find(key);
        if (found != _entries.end()) return found->second;
        core::ptr<T> created = F::Create(key);
        if (_never_cached.count(key) == 0) _entries.emplace(key, created);
        return created;
    }

    // Releases what nobody else holds, in key order, then forgets every entry.
    void Clear() {
        for (auto& entry : _entries) entry.second = core::ptr<T>();
        _entries.clear();
    }

    std::list<K> GetKeyList() const {
        std::list<K> keys;
        for (const auto& entry : _entries) keys.push_back(entry.first);
        return keys;
    }

    // A key whose result is made anew on every Get.
    void AddNeverCached(const K& key) { _never_cached.insert(key); }

private:
    std::map<K, core::ptr<T>> _entries;
    std::set<K> _never_cached;
};

}  // namespace utils
