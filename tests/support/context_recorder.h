#pragma once

#include <string>
#include <vector>

#include "vantle/core/context.h"

namespace test {

// Subscribes to one key of the context store for its lifetime and keeps every value written there.
class ContextRecorder : public core::Observer {
public:
    explicit ContextRecorder(const std::string& key);
    ~ContextRecorder();
    ContextRecorder(const ContextRecorder&) = delete;
    ContextRecorder& operator=(const ContextRecorder&) = delete;

    const std::vector<core::Value>& Values() const { return _values; }
    // Every value read as a float, oldest first.
    std::vector<float> Floats() const;
    void Clear() { _values.clear(); }

    void OnUpdate() override;

private:
    std::string _key;
    std::vector<core::Value> _values;
};

}  // namespace test
