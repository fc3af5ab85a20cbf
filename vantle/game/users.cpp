#include "vantle/game/users.h"

#include <algorithm>
#include <limits>

#include "vantle/core/context.h"
#include "vantle/core/log.h"
#include "vantle/io/buffer_stream.h"
#include "vantle/io/file.h"
#include "vantle/io/reader.h"
#include "vantle/io/replace_file.h"
#include "vantle/io/writer.h"

namespace game {

namespace {

const char kDefaultFilename[] = "users.dat";
// A name's length and an option count: no player record is shorter.
const unsigned int kSmallestPlayerRecord = 8;
const unsigned int kLastGeneration = std::numeric_limits<unsigned int>::max();
const char kDamagedSuffix[] = ".damaged";

std::string NameFromContext() {
    return core::Context::instance()->Get("$").as_string();
}

}  // namespace

std::string Users::filename;

User::User(const std::string& name) : name(name) {}

void User::Save(io::Writer& writer) const {
    writer.WriteString(name);
    core::Options::Save(writer);
}

bool User::Load(io::Reader& reader) {
    name = reader.ReadString();
    const bool options_whole = core::Options::Load(reader);
    return options_whole && !reader.ReadPastEnd();
}

void Users::SetFilename(const std::string& path) {
    filename = path;
}

Users::Users() {
    if (filename.empty()) filename = kDefaultFilename;
    // The game never writes generation 0, so a file that says 0 is damaged: its players are read all the
    // same rather than overwritten by the first change.
    if (GetGenerationOnDisk() == 0) Load();
    Sync();
}

Users::~Users() {
    Sync();
}

core::ptr<User> Users::GetSelectedUser() const {
    return selected;
}

core::ptr<User> Users::GetUser(const std::string& name) const {
    for (const core::ptr<User>& user : users) {
        if (user->name == name) return user;
    }
    return core::ptr<User>();
}

std::list<std::string> Users::GetNames() const {
    std::list<std::string> names;
    for (const core::ptr<User>& user : users) names.push_back(user->name);
    return names;
}

void Users::Select(const std::string& name) {
    if (selected && selected->name == name) return;
    const core::ptr<User> user = GetUser(name);
    if (user) selected = user;
    Raise();
    Sync();
}

void Users::Add(const core::ptr<User>& user) {
    if (!user) {
        core::Log::instance()->Write("Users: an empty player was not added");
        return;
    }
    if (GetUser(user->name)) return;
    users.push_back(user);
    Select(user->name);
    Raise();
    Sync();
}

void Users::Remove(const std::string& name) {
    const auto found = std::find_if(users.begin(), users.end(),
                                    [&name](const core::ptr<User>& user) { return user->name == name; });
    if (found != users.end()) {
        const bool was_selected = selected && selected->name == name;
        users.erase(found);
        if (was_selected) selected = users.empty() ? core::ptr<User>() : users.front();
    }
    Raise();
    Sync();
}

void Users::Update() {
    Raise();
    Sync();
}

void Users::Raise() {
    if (generation != kLastGeneration) {
        ++generation;
        return;
    }
    // Wrapping to 0 would make the file look newer than every change and reload it for ever.
    core::Log::instance()->Write("Users: the change counter of %s reached its limit and starts again",
                                 filename.c_str());
    generation = 1;
    _restarted = true;
}

void Users::Sync() {
    const unsigned int on_disk = GetGenerationOnDisk();
    if (on_disk != generation || _restarted) Notify();
    if (_restarted || on_disk < generation) {
        _restarted = false;
        Save();
    } else if (on_disk > generation) {
        Load();
    }
}

unsigned int Users::GetGenerationOnDisk() const {
    const core::ptr<io::IStream> file(new io::File(filename, io::File::kRead));
    if (!file->IsOpened()) return 0;
    return io::Reader(file).ReadUInt();
}

void Users::Save() {
    if (!KeepDamagedFile()) return;
    const core::ptr<io::BufferStream> buffer(new io::BufferStream);
    io::Writer writer(buffer);
    writer.WriteUInt(generation);
    writer.WriteUInt(static_cast<unsigned int>(users.size()));
    for (const core::ptr<User>& user : users) user->Save(writer);
    if (!users.empty()) writer.WriteString(selected ? selected->name : users.front()->name);
    if (!io::ReplaceFile(filename, buffer->Bytes())) {
        core::Log::instance()->Write("Users: can't save the players to %s", filename.c_str());
    }
}

void Users::Load() {
    const core::ptr<io::IStream> file(new io::File(filename, io::File::kRead));
    if (!file->IsOpened()) return;
    const std::string bytes = io::ReadBytes(file);
    io::Reader reader(core::ptr<io::IStream>(new io::BufferStream(bytes)));
    generation = reader.ReadUInt();
    selected.reset();
    users.clear();
    const unsigned int count = reader.ReadUInt();
    bool whole = count == 0 || ReadPlayers(reader, count);
    const std::string name = count == 0 ? std::string() : ReadSelectedName(reader);
    whole = EndsWhole(reader) && whole;
    _keep_damaged = !whole;
    _damaged_bytes = whole ? std::string() : bytes;
    // Nothing is selected now, so this counts as a change and writes the file back.
    if (count != 0) Select(name);
}

std::string Users::ReadSelectedName(io::Reader& reader) const {
    const std::string name = reader.ReadString();
    if (!reader.ReadPastEnd()) return name;
    core::Log::instance()->Write("Users: %s does not say which player is selected", filename.c_str());
    return users.empty() ? std::string() : users.front()->name;
}

bool Users::EndsWhole(const io::Reader& reader) const {
    if (!reader.AtEnd()) {
        core::Log::instance()->Write("Users: %s holds %u bytes after its last field", filename.c_str(),
                                     reader.BytesLeft());
    }
    return reader.AtEnd() && !reader.ReadPastEnd();
}

bool Users::KeepDamagedFile() {
    if (!_keep_damaged) return true;
    const std::string kept = filename + kDamagedSuffix;
    if (!io::ReplaceFile(kept, _damaged_bytes)) {
        // Its players would be lost with it: memory is saved at the next change instead.
        core::Log::instance()->Write("Users: can't keep the damaged %s as %s; not saving over it",
                                     filename.c_str(), kept.c_str());
        return false;
    }
    core::Log::instance()->Write("Users: %s did not read back whole; kept as %s", filename.c_str(),
                                 kept.c_str());
    _keep_damaged = false;
    _damaged_bytes.clear();
    return true;
}

bool Users::ReadPlayers(io::Reader& reader, unsigned int count) {
    if (count > reader.BytesLeft() / kSmallestPlayerRecord) {
        core::Log::instance()->Write("Users: %s claims %u players in %u bytes", filename.c_str(), count,
                                     reader.BytesLeft());
    }
    bool whole = true;
    // Every record takes bytes, so a damaged count cannot keep this loop going past the end.
    for (unsigned int read = 0; read < count; ++read) {
        const core::ptr<User> user(new User(std::string()));
        if (!user->Load(reader)) {
            core::Log::instance()->Write("Users: %s ends inside player %u of %u", filename.c_str(), read + 1,
                                         count);
            return false;
        }
        if (GetUser(user->name)) {
            core::Log::instance()->Write("Users: %s holds the player \"%s\" twice; the first one is kept",
                                         filename.c_str(), user->name.c_str());
            whole = false;
            continue;
        }
        users.push_back(user);
    }
    return whole;
}

void Users::RegisterFunctors() {
    core::FunctorFactory* factory = core::FunctorFactory::instance();
    factory->Register("add_user", &_CreateAddUserFunctor);
    factory->Register("del_user", &_CreateDeleteUserFunctor);
    factory->Register("sel_user", &_CreateSelectUserFunctor);
}

void AddUserFunctor::operator()() {
    const std::string name = NameFromContext();
    if (!name.empty()) Users::instance()->Add(core::ptr<User>(new User(name)));
}

void DeleteUserFunctor::operator()() {
    const std::string name = NameFromContext();
    if (!name.empty()) Users::instance()->Remove(name);
}

void SelectUserFunctor::operator()() {
    const std::string name = NameFromContext();
    if (!name.empty()) Users::instance()->Select(name);
}

core::Functor* _CreateAddUserFunctor(const std::string& /*argument*/) {
    return new AddUserFunctor;
}

core::Functor* _CreateDeleteUserFunctor(const std::string& /*argument*/) {
    return new DeleteUserFunctor;
}

core::Functor* _CreateSelectUserFunctor(const std::string& /*argument*/) {
    return new SelectUserFunctor;
}

}  // namespace game
