#pragma once

#include <string>

#include "vantle/script/engine.h"

namespace script {

// The Ruby back end. The interpreter starts with the first engine and lives until the process ends; it
// is only ever called from the thread that created the first engine. Script errors are contained: each
// is logged as "EngineRuby: <message>" and the operation gives nil.
class EngineRuby : public IEngine {
public:
    // Starts the interpreter and defines the global functions of the function table, unless it runs
    // already.
    EngineRuby();
    // Leaves the interpreter running: it cannot start twice in one process.
    ~EngineRuby() override = default;

    // Marks the frame of base as the bottom of the machine stack the collector scans for values, before
    // the interpreter starts. Called from the frame that encloses every script call (the program's main).
    static void MarkStackBase(void* base);

    // Values as ValueRuby: the empty text gives nil.
    core::ptr<IValue> CreateValue(const std::string& text) override;
    core::ptr<IValue> CreateValue(int number) override;
    core::ptr<IValue> CreateValue(float number) override;
    // The name gets a leading "$" when it has none. An empty value or one from another engine assigns nil.
    void Set(const std::string& name, const core::ptr<IValue>& value) override;
    core::ptr<IValue> Get(const std::string& name) override;
    // Evaluates the code up to its first zero byte on the top-level object, as UTF-8 source (as binary
    // when it is not valid UTF-8), with fresh locals also when a running script got here; locals do not
    // outlive the call, methods and globals do.
    core::ptr<IValue> Eval(const std::string& code) override;
    // Calls the method of that name on the global $Kernel (nil unless a script sets it), private methods
    // included, so a top-level "def" is found. A missing method or an error in it is logged and gives nil.
    core::ptr<IValue> CallFunction(const std::string& name, const core::ptr<IValue>& argument) override;
    // Logs "EngineRuby: RunGC called" and evaluates "GC.start".
    void RunGC() override;
};

}  // namespace script
