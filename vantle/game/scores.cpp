#include "vantle/game/scores.h"

#include <ctime>

#include "vantle/core/log.h"
#include "vantle/io/buffer_stream.h"
#include "vantle/io/file.h"
#include "vantle/io/reader.h"
#include "vantle/io/replace_file.h"
#include "vantle/io/writer.h"

namespace game {

namespace {

const unsigned int kMaxEntries = 10;
// A name's length, the score and the time: no row is shorter.
const unsigned int kSmallestRow = 12;
const char kTableExtension[] = ".sc";

int Now() {
    return static_cast<int>(std::time(nullptr));
}

}  // namespace

Scores::Entry::Entry(const std::string& name, unsigned int score, int time)
    : name(name), score(score), time(time == 0 ? Now() : time) {}

Scores::Scores() : max_entries(kMaxEntries), last(-1) {}

bool Scores::Add(const core::ptr<Entry>& entry) {
    last = -1;
    if (!entry || entry->score == 0) return false;
    std::vector<core::ptr<Entry>> rows;
    rows.reserve(entries.size() + 1);
    for (const core::ptr<Entry>& row : entries) {
        if (last < 0 && row->score < entry->score) {
            last = static_cast<int>(rows.size());
            rows.push_back(entry);
        }
        rows.push_back(row);
    }
    if (last < 0 && rows.size() < max_entries) {
        last = static_cast<int>(rows.size());
        rows.push_back(entry);
    }
    entries.swap(rows);
    return last >= 0;
}

core::ptr<Scores::Entry> Scores::Get(unsigned int index) const {
    if (index < entries.size()) return entries[index];
    return core::ptr<Entry>(new Entry(std::string(), 0, 0));
}

void Scores::Load(const std::string& path) {
    const core::ptr<io::IStream> file(new io::File(path, io::File::kRead));
    if (!file->IsOpened()) return;
    io::Reader reader(file);
    entries.clear();
    const unsigned int count = reader.ReadUInt();
    if (count > reader.BytesLeft() / kSmallestRow) {
        core::Log::instance()->Write("Score table %s claims %u rows in %u bytes", path.c_str(), count,
                                     reader.BytesLeft());
    }
    // Every row takes bytes, so a damaged count cannot keep this loop going past the end.
    for (unsigned int read = 0; read < count; ++read) {
        const std::string name = reader.ReadString();
        const unsigned int score = reader.ReadUInt();
        const unsigned int time = reader.ReadUInt();
        if (reader.ReadPastEnd()) {
            core::Log::instance()->Write("Score table %s ends inside row %u of %u", path.c_str(), read + 1,
                                         count);
            break;
        }
        Add(core::ptr<Entry>(new Entry(name, score, static_cast<int>(time))));
    }
    last = -1;
}

void Scores::Save(const std::string& path) const {
    const core::ptr<io::BufferStream> buffer(new io::BufferStream);
    io::Writer writer(buffer);
    writer.WriteUInt(static_cast<unsigned int>(entries.size()));
    for (const core::ptr<Entry>& row : entries) {
        writer.WriteString(row->name);
        writer.WriteUInt(row->score);
        writer.WriteUInt(static_cast<unsigned int>(row->time));
    }
    if (!io::ReplaceFile(path, buffer->Bytes())) {
        core::Log::instance()->Write("Can't save score table %s", path.c_str());
    }
}

void Scores::print(std::ostream& out) const {
    out << "Player\tScore\n";
    for (std::size_t index = 0; index < entries.size(); ++index) {
        if (static_cast<int>(index) == last) out << "*";
        out << entries[index]->name << "\t" << entries[index]->score << "\n";
    }
}

ScoresHolder* ScoresHolder::instance() {
    // Never destroyed: tables stay until the process ends.
    static ScoresHolder* holder = new ScoresHolder;
    return holder;
}

core::ptr<Scores> ScoresHolder::get_table(const std::string& name, bool no_load) {
    core::ptr<Scores>& table = tables[name];
    if (!table) table = core::ptr<Scores>(new Scores);
    if (!no_load) table->Load(name + kTableExtension);
    return table;
}

bool ScoresHolder::add(const std::string& name, const core::ptr<Scores::Entry>& entry) {
    const core::ptr<Scores> table = get_table(name, false);
    const bool added = table->Add(entry);
    table->print();
    return added;
}

}  // namespace game
