#pragma once

#include <string>

#include "vantle/core/ptr.h"
#include "vantle/core/singleton.h"
#include "vantle/script/value.h"

namespace script {

// Runs script code. Nothing outside the scripting back end depends on the language's own library:
// values cross as IValue. Script errors never reach the caller: they are logged and give nil.
class IEngine {
public:
    virtual ~IEngine() = default;

    virtual core::ptr<IValue> CreateValue(const std::string& text) = 0;
    virtual core::ptr<IValue> CreateValue(int number) = 0;
    virtual core::ptr<IValue> CreateValue(float number) = 0;
    // Assigns the script global of that name.
    virtual void Set(const std::string& name, const core::ptr<IValue>& value) = 0;
    // The script global of that name; nil when unset.
    virtual core::ptr<IValue> Get(const std::string& name) = 0;
    // Runs the code at the top level; its result, or nil after an error.
    virtual core::ptr<IValue> Eval(const std::string& code) = 0;
    // Calls the script function of that name with one argument; its result, or nil after an error.
    virtual core::ptr<IValue> CallFunction(const std::string& name, const core::ptr<IValue>& argument) = 0;
    virtual void RunGC() = 0;
};

// The process's script engine: forwards to the back end installed at start-up, which it does not own.
class Engine : public IEngine, public core::Singleton<Engine> {
public:
    // A back end installed earlier is neither deleted nor told.
    void SetImplementation(IEngine* implementation) { _implementation = implementation; }
    IEngine* GetImplementation() const { return _implementation; }

    // Without a back end the value operations log and give an empty pointer or do nothing.
    core::ptr<IValue> CreateValue(const std::string& text) override;
    core::ptr<IValue> CreateValue(int number) override;
    core::ptr<IValue> CreateValue(float number) override;
    void Set(const std::string& name, const core::ptr<IValue>& value) override;
    core::ptr<IValue> Get(const std::string& name) override;
    // Without a back end nothing runs and the result is an empty pointer.
    core::ptr<IValue> Eval(const std::string& code) override;
    core::ptr<IValue> CallFunction(const std::string& name, const core::ptr<IValue>& argument) override;
    // Without a back end nothing happens.
    void RunGC() override;

    // The back end's value of that type, assigned to the global.
    void Set(const std::string& name, int number);
    void Set(const std::string& name, float number);
    void Set(const std::string& name, const std::string& text);

private:
    friend class core::Singleton<Engine>;
    Engine() = default;
    ~Engine() override = default;

    bool HasImplementation(const char* operation) const;

    IEngine* _implementation = nullptr;
};

}  // namespace script
