// One interpreter for the whole executable: Ruby starts once per process, on the main thread, before
// any test runs, and every test reaches it through the script engine facade.

#include <gtest/gtest.h>

#include "vantle/script/engine.h"
#include "vantle/script/ruby/engine_ruby.h"

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    script::EngineRuby engine;
    script::Engine::instance()->SetImplementation(&engine);
    const int result = RUN_ALL_TESTS();
    script::Engine::instance()->SetImplementation(nullptr);
    return result;
}
