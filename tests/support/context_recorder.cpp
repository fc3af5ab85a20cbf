#include "support/context_recorder.h"

namespace test {

ContextRecorder::ContextRecorder(const std::string& key) : _key(key) {
    core::Context::instance()->Subscribe(_key, this);
}

ContextRecorder::~ContextRecorder() {
    core::Context::instance()->Unsubscribe(_key, this);
}

std::vector<float> ContextRecorder::Floats() const {
    std::vector<float> floats;
    for (const core::Value& value : _values) floats.push_back(value.as_float());
    return floats;
}

void ContextRecorder::OnUpdate() {
    _values.push_back(core::Context::instance()->Get(_key));
}

}  // namespace test
