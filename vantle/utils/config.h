#pragma once

#include <map>
#include <string>
#include <vector>

#include "vantle/core/ptr.h"
#include "vantle/core/singleton.h"
#include "vantle/core/value.h"
#include "vantle/io/stream.h"

namespace utils {

// The settings: lines of key "=" value from the defaults ("data/defaults.cfg", through the loader) and
// from the user's file, which holds only what differs from the defaults. Values read from files are
// text; values given to Set keep their type.
class Config : public core::Singleton<Config> {
public:
    // The user's settings file, used by Reload, Set and the destructor.
    static std::string filename;

    // Empty settings, then Reload.
    Config();
    // Saves the user's file once more.
    ~Config();
    Config(const Config&) = delete;
    Config& operator=(const Config&) = delete;

    // Names the user's file; loads nothing.
    static void SetFilename(const std::string& name);
    // Reads the user's file into the values in force. A missing file changes nothing.
    void Reload();
    // Reads a file found through the loader into the defaults and the values in force.
    void LoadDefaults(const std::string& name);
    // Parses a settings text up to its first zero byte; keys it does not mention keep their values.
    void Load(const core::ptr<io::IStream>& stream, bool defaults);
    // Writes the values whose text differs from their default, in key order, with CR LF line ends.
    void Save(const core::ptr<io::IStream>& stream);

    // UNSET for a key that has no value.
    core::Value Get(const std::string& key) const;
    // Stores the value and rewrites the user's file, replacing it only once the new one is complete.
    // A setting that would not read back as itself (a line feed or zero byte, "=" in the key, a key
    // starting with "#" or a blank) is refused with a log line.
    void Set(const std::string& key, const core::Value& value);

private:
    // The lines Save writes, each with its line end.
    std::vector<std::string> Lines() const;
    bool SaveToFile() const;

    std::map<std::string, core::Value> _values;
    std::map<std::string, core::Value> _defaults;
};

}  // namespace utils
