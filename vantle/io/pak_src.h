#pragma once

#include <string>

#include "vantle/io/loader.h"
#include "vantle/io/pak.h"

namespace io {

// Serves the entries of an archive. The archive file itself is opened through the loader, so through
// the sources added before this one.
class PakFileSource : public Loader::Source {
public:
    // A missing or unreadable archive leaves an empty table.
    explicit PakFileSource(const std::string& archive_name);

    core::ptr<IStream> Load(const std::string& name) override;

private:
    Pak _pak;
};

}  // namespace io
