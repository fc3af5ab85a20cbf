#include "vantle/io/pak_src.h"

namespace io {

PakFileSource::PakFileSource(const std::string& archive_name) {
    core::ptr<IStream> archive = Loader::instance()->Load(archive_name);
    if (archive && archive->IsOpened()) _pak.Read(archive, false);
}

core::ptr<IStream> PakFileSource::Load(const std::string& name) {
    return _pak.Get(name);
}

}  // namespace io
