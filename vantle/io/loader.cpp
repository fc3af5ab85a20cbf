#include "vantle/io/loader.h"

#include <sys/stat.h>

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

namespace {

// Data files are regular files: opening a pipe or a device by a data name could block or never end.
bool IsRegularFile(const std::string& path) {
    struct stat status;
    return ::stat(path.c_str(), &status) == 0 && S_ISREG(status.st_mode);
}

}  // namespace

core::ptr<IStream> FileSystemSource::Load(const std::string& name) {
    const std::string path = _prefix + name;
    if (!IsRegularFile(path)) return core::ptr<IStream>();
    core::ptr<IStream> file(new File(path.c_str(), File::kRead));
    if (!file->IsOpened()) return core::ptr<IStream>();
    return file;
}

}  // namespace io
