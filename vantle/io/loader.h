#pragma once

#include <string>
#include <vector>

#include "vantle/core/ptr.h"
#include "vantle/core/singleton.h"
#include "vantle/io/stream.h"

namespace io {

// Opens data files by name from an ordered list of sources; the first source that has the file answers.
// Starts with the working directory as its only source.
class Loader : public core::Singleton<Loader> {
public:
    class Source {
    public:
        virtual ~Source() = default;
        // A stream opened at its start, or an empty pointer when this source lacks the file.
        virtual core::ptr<IStream> Load(const std::string& name) = 0;
    };

    Loader();

    // Removes every source, the working directory included.
    void ClearSources();
    // Asked after every source added before it.
    void AddSource(const core::ptr<Source>& source);
    // Logs "LOAD: <name>"; an empty pointer when no source has the file.
    core::ptr<IStream> Load(const std::string& name);

private:
    std::vector<core::ptr<Source>> _sources;
};

// Regular files on disk under a prefix that is glued to the name as it is: a folder prefix ends with "/".
class FileSystemSource : public Loader::Source {
public:
    FileSystemSource() = default;
    explicit FileSystemSource(const std::string& prefix) : _prefix(prefix) {}

    core::ptr<IStream> Load(const std::string& name) override;

private:
    std::string _prefix;
};

}  // namespace io
