#pragma once

#include <cstddef>
#include <list>
#include <string>
#include <unordered_map>
#include <vector>

#include "vantle/core/ptr.h"
#include "vantle/io/stream.h"

namespace io {

// The data archive: a table of named entries followed by their bytes, every byte XORed with one key.
// Table: count, then per entry its name (length and bytes), offset from the end of the table and size,
// all 32-bit little-endian. Reading keeps the archive stream open; writing serves the packing tool.
class Pak {
public:
    struct Entry {
        std::string name;
        unsigned int offset = 0;
        unsigned int size = 0;
        core::ptr<IStream> stream;
    };

    static const char kXorKey = 0x6B;

    Pak() = default;
    Pak(const Pak&) = delete;
    Pak& operator=(const Pak&) = delete;

    // Appends the table of the archive on the stream to this one. A damaged table never runs past the
    // end of the stream, and entries whose bytes lie beyond the end are dropped with a log line. With
    // preload every entry's bytes are read into memory at once.
    void Read(const core::ptr<IStream>& stream, bool preload);
    // A window on the first entry of that name, positioned at its start, or an empty pointer. Windows
    // share the archive's position: read one whole before getting the next.
    core::ptr<IStream> Get(const std::string& name);

    // Appends an entry after the others, measuring its source: the stream when one is given, else the file
    // of its name.
    void Add(const std::string& name, const core::ptr<IStream>& stream);
    // Removes the first entry of that name, if any.
    void Remove(const std::string& name);
    // Forgets every entry; the archive stream stays.
    void Clear();
    // Names and sizes in table order, without streams.
    std::vector<Entry> List() const;
    // Lays the entries out back to back in table order, measuring each source.
    void Recalculate();
    // Writes the whole archive, with diagnostics on standard error; false when the destination is not
    // open or a source could not supply its bytes (the archive then holds zeros in their place).
    bool Write(const core::ptr<IStream>& destination);

private:
    bool ReadTable(const core::ptr<IStream>& stream);
    void DropEntriesBeyondEnd(size_t first, unsigned int file_size);
    void Preload(size_t first);
    bool WriteEntryData(Entry& entry, const core::ptr<IStream>& destination);
    // Indexes the entries from first on; a name already indexed keeps its earlier entry.
    void IndexFrom(size_t first);

    std::vector<Entry> _entries;
    // Each name's first entry.
    std::unordered_map<std::string, size_t> _first_named;
    core::ptr<IStream> _stream;
    unsigned int _data_start = 0;
    std::list<std::vector<char>> _preloaded;
};

}  // namespace io
