#include "functions_fixture.h"

#include "vantle/audio/sample_cache.h"
#include "vantle/game/users.h"
#include "vantle/io/loader.h"
#include "vantle/script/engine.h"
#include "vantle/utils/config.h"

namespace test {

const TempDir& ScriptFunctionsTest::Dir() {
    static const TempDir dir;
    return dir;
}

FakeAudioDevice* ScriptFunctionsTest::Audio() {
    return dynamic_cast<FakeAudioDevice*>(audio::Device::instance()->GetImplementation());
}

void ScriptFunctionsTest::ResetAudio() {
    FakeAudioDevice* replaced = Audio();
    audio::Device::instance()->SetImplementation(new FakeAudioDevice);
    delete replaced;
}

FakePlatform* ScriptFunctionsTest::Platform() {
    return FakePlatform::Install();
}

void ScriptFunctionsTest::SetUpTestSuite() {
    static bool done = false;
    if (done) return;
    done = true;
    utils::Config::SetFilename(Dir() / "config.cfg");
    game::Users::SetFilename(Dir() / "users.dat");
    audio::Device::instance()->SetImplementation(new FakeAudioDevice);
    audio::SampleCache::instance()->SetSamplesDir("sfx/");
    io::Loader::instance()->ClearSources();
    io::Loader::instance()->AddSource(core::ptr<io::Loader::Source>(new io::FileSystemSource(Dir() / "")));
    Platform();
}

std::string ScriptFunctionsTest::Inspect(const std::string& code) {
    return script::Engine::instance()->Eval("(" + code + ").inspect")->to_string();
}

}  // namespace test
