#pragma once

#include <string>

#include "vantle/audio/device.h"
#include "vantle/core/singleton.h"
#include "vantle/utils/cache.h"

namespace audio {

// Makes samples for the cache.
class SampleFactory {
public:
    // Logs "Loading sample <name>", opens the samples directory plus the name through the loader and
    // decodes it through the device facade.
    static core::ptr<ISample> Create(const std::string& name);
};

// Samples by name, each loaded once; a failed load is kept too and not retried.
class SampleCache : public utils::Cache<ISample, std::string, SampleFactory>,
                    public core::Singleton<SampleCache> {
public:
    // The prefix put before every sample name, such as "data/sfx/".
    void SetSamplesDir(const std::string& dir) { _samples_dir = dir; }
    const std::string& GetSamplesDir() const { return _samples_dir; }

private:
    std::string _samples_dir;
};

}  // namespace audio
