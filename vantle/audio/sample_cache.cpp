#include "vantle/audio/sample_cache.h"

#include "vantle/core/log.h"
#include "vantle/io/loader.h"

namespace audio {

core::ptr<ISample> SampleFactory::Create(const std::string& name) {
    core::Log::instance()->Write("Loading sample " + name);
    std::string path = SampleCache::instance()->GetSamplesDir() + name;
    return Device::instance()->LoadSample(io::Loader::instance()->Load(path));
}

}  // namespace audio
