#include "vantle/io/pak.h"

#include <algorithm>
#include <cstdint>
#include <iostream>

#include "vantle/core/log.h"
#include "vantle/io/file.h"
#include "vantle/io/memory_stream.h"
#include "vantle/io/proxy_stream.h"
#include "vantle/io/reader.h"
#include "vantle/io/writer.h"

namespace io {

namespace {

const unsigned int kWordSize = 4;
// Name length, offset and size.
const unsigned int kRecordWords = 3;

unsigned int BytesLeft(const core::ptr<IStream>& stream, unsigned int size) {
    const unsigned int position = stream->GetPosition();
    return position < size ? size - position : 0;
}

// Whether the table record at the stream's position lies wholly within the stream; the position stays.
bool RecordFits(const core::ptr<IStream>& stream, unsigned int size) {
    if (BytesLeft(stream, size) < kRecordWords * kWordSize) return false;
    const unsigned int start = stream->GetPosition();
    const unsigned int name_length = Reader(stream).ReadUInt();
    const unsigned int left = BytesLeft(stream, size);
    stream->Seek(start);
    const unsigned int offset_and_size = (kRecordWords - 1) * kWordSize;
    return left >= offset_and_size && left - offset_and_size >= name_length;
}

core::ptr<IStream> OpenSource(const Pak::Entry& entry) {
    if (entry.stream) {
        entry.stream->Seek(0);
        return entry.stream;
    }
    return core::ptr<IStream>(new File(entry.name.c_str(), File::kRead));
}

unsigned int MeasuredSize(const core::ptr<IStream>& source) {
    return source->IsOpened() ? source->Size() : 0;
}

std::vector<Pak::Entry>::iterator FirstNamed(std::vector<Pak::Entry>& entries, const std::string& name) {
    return std::find_if(entries.begin(), entries.end(),
                        [&name](const Pak::Entry& entry) { return entry.name == name; });
}

}  // namespace

void Pak::Read(const core::ptr<IStream>& stream, bool preload) {
    if (!stream) return;
    stream->SetXor(kXorKey);
    _stream = stream;
    const size_t first = _entries.size();
    if (!ReadTable(stream)) {
        core::Log::instance()->Write("Archive table of '%s' ends early; keeping its %u whole entries",
                                     stream->GetFilename().c_str(),
                                     static_cast<unsigned int>(_entries.size() - first));
    }
    _data_start = stream->GetPosition();
    DropEntriesBeyondEnd(first, stream->Size());
    IndexFrom(first);
    if (preload) Preload(first);
}

bool Pak::ReadTable(const core::ptr<IStream>& stream) {
    Reader reader(stream);
    const unsigned int size = stream->Size();
    if (BytesLeft(stream, size) < kWordSize) return false;
    const unsigned int count = reader.ReadUInt();
    // Every record takes at least three words, so a damaged count ends at the end of the stream.
    for (unsigned int i = 0; i < count; ++i) {
        if (!RecordFits(stream, size)) return false;
        Entry entry;
        entry.name = reader.ReadString();
        entry.offset = reader.ReadUInt();
        entry.size = reader.ReadUInt();
        _entries.push_back(entry);
    }
    return true;
}

void Pak::DropEntriesBeyondEnd(size_t first, unsigned int file_size) {
    size_t kept = first;
    size_t dropped = 0;
    for (size_t i = first; i < _entries.size(); ++i) {
        const uint64_t end = uint64_t{_data_start} + _entries[i].offset + _entries[i].size;
        if (end > file_size) {
            ++dropped;
            continue;
        }
        if (kept != i) _entries[kept] = _entries[i];
        ++kept;
    }
    _entries.resize(kept);
    if (dropped == 0) return;
    core::Log::instance()->Write("Archive '%s': dropped %u entries that lie beyond its end",
                                 _stream->GetFilename().c_str(), static_cast<unsigned int>(dropped));
}

void Pak::Preload(size_t first) {
    for (size_t i = first; i < _entries.size(); ++i) {
        Entry& entry = _entries[i];
        _preloaded.emplace_back(entry.size);
        std::vector<char>& buffer = _preloaded.back();
        _stream->Seek(_data_start + entry.offset);
        if (entry.size > 0) _stream->Read(buffer.data(), entry.size);
        MemoryStream* memory = new MemoryStream(buffer.data(), entry.size);
        memory->SetFilename(entry.name);
        entry.stream = core::ptr<IStream>(memory);
    }
}

void Pak::IndexFrom(size_t first) {
    for (size_t i = first; i < _entries.size(); ++i) _first_named.emplace(_entries[i].name, i);
}

core::ptr<IStream> Pak::Get(const std::string& name) {
    const auto indexed = _first_named.find(name);
    if (indexed == _first_named.end()) return core::ptr<IStream>();
    const Entry* found = &_entries[indexed->second];
    core::ptr<IStream> window(
        new ProxyStream(_stream, _data_start + found->offset, found->size, found->name));
    window->Seek(0);
    return window;
}

void Pak::Add(const std::string& name, const core::ptr<IStream>& stream) {
    Entry entry;
    entry.name = name;
    entry.stream = stream;
    // Laid out after the others without measuring them again, which would make packing quadratic;
    // Write keeps the table right even if an earlier file changed since.
    if (!_entries.empty()) entry.offset = _entries.back().offset + _entries.back().size;
    entry.size = MeasuredSize(OpenSource(entry));
    _entries.push_back(entry);
    IndexFrom(_entries.size() - 1);
}

void Pak::Remove(const std::string& name) {
    const auto found = FirstNamed(_entries, name);
    if (found == _entries.end()) return;
    _entries.erase(found);
    _first_named.clear();
    IndexFrom(0);
    Recalculate();
}

void Pak::Clear() {
    _entries.clear();
    _first_named.clear();
    _preloaded.clear();
}

std::vector<Pak::Entry> Pak::List() const {
    std::vector<Entry> list;
    list.reserve(_entries.size());
    for (const Entry& entry : _entries) {
        Entry copy;
        copy.name = entry.name;
        copy.offset = entry.offset;
        copy.size = entry.size;
        list.push_back(copy);
    }
    return list;
}

void Pak::Recalculate() {
    unsigned int total = 0;
    for (Entry& entry : _entries) {
        entry.offset = total;
        entry.size = MeasuredSize(OpenSource(entry));
        total += entry.size;
    }
}

bool Pak::Write(const core::ptr<IStream>& destination) {
    std::cerr << "writing pak" << std::endl;
    if (!destination || !destination->IsOpened()) {
        std::cerr << "dst is not opened" << std::endl;
        return false;
    }
    destination->SetXor(kXorKey);
    Writer writer(destination);
    writer.WriteUInt(static_cast<unsigned int>(_entries.size()));
    std::cerr << "wrote size " << _entries.size() << std::endl;
    for (const Entry& entry : _entries) {
        writer.WriteString(entry.name);
        writer.WriteUInt(entry.offset);
        writer.WriteUInt(entry.size);
    }
    std::cerr << "header " << std::endl;
    bool complete = true;
    for (Entry& entry : _entries) complete = WriteEntryData(entry, destination) && complete;
    return complete;
}

// Writes exactly the size in the table, so a source that changed since it was measured cannot shift
// the entries after it.
bool Pak::WriteEntryData(Entry& entry, const core::ptr<IStream>& destination) {
    core::ptr<IStream> source = OpenSource(entry);
    std::cerr << "writing item " << entry.name << std::endl;
    std::cerr << "size " << entry.size << std::endl;
    std::vector<char> buffer(entry.size, 0);
    unsigned long got = 0;
    if (source->IsOpened() && entry.size > 0) got = source->Read(buffer.data(), entry.size);
    std::cerr << "reading src done" << std::endl;
    if (got != entry.size) {
        std::cerr << "short read of " << entry.name << ": " << got << " of " << entry.size << " bytes"
                  << std::endl;
    }
    if (!buffer.empty()) destination->Write(buffer.data(), buffer.size());
    std::cerr << "writing to pak done" << std::endl;
    std::cerr << "done" << std::endl;
    return got == entry.size;
}

}  // namespace io
