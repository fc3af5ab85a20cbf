#include "vantle/io/loader.h"

#include "vantle/core/log.h"
#include "vantle/io/file.h"

namespace io {

Loader::Loader() {
    _sources.push_back(core::ptr<Source>(new FileSystemSource()));
}

void Loader::ClearSources() {
    _sources.clear();
}

void Loader::AddSource(const core::ptr<Source>& source) {
    if (source) _sources.push_back(source);
}

core::ptr<IStream> Loader::Load(const std::string& name) {
    core::Log::instance()->Write("LOAD: %s", name.c_str());
    for (const core::ptr<Source>& source : _sources) {
        core::ptr<IStream> stream = source->Load(name);
        if (stream) return stream;
    }
    return core::ptr<IStream>();
}

core::ptr<IStream> FileSystemSource::Load(const std::string& name) {
    const std::string path = _prefix + name;
    core::ptr<IStream> file(new File(path.c_str(), File::kRead));
    if (!file->IsOpened()) return core::ptr<IStream>();
    return file;
}

}  // namespace io
