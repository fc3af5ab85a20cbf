// The settings: defaults and a user's file read, a setting changed, and what is saved read back on the
// next start. The input is the defaults text, the user's text, a key and a value, split at zero bytes
// (the value takes the rest, zero bytes included).

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "fuzz/fuzz_input.h"
#include "vantle/io/buffer_stream.h"
#include "vantle/utils/config.h"

namespace {

core::ptr<io::IStream> Text(const std::string& text) {
    return core::ptr<io::IStream>(new io::BufferStream(text));
}

std::string Saved(utils::Config& config) {
    core::ptr<io::BufferStream> sink(new io::BufferStream());
    config.Save(sink);
    return sink->Bytes();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // No user's file: Set and the destructors save nowhere.
    utils::Config::SetFilename("");
    const std::vector<std::string> parts = test::SplitInput(data, size, 4);
    const std::string& defaults = parts[0];
    const std::string& key = parts[2];
    const std::string& value = parts[3];

    utils::Config config;
    config.Load(Text(defaults), true);
    config.Load(Text(parts[1]), false);
    const std::string saved = Saved(config);
    {
        utils::Config next_start;
        next_start.Load(Text(defaults), true);
        next_start.Load(Text(saved), false);
        test::FuzzCheck(Saved(next_start) == saved, "saved settings read back as themselves");
    }

    const core::Value before = config.Get(key);
    config.Set(key, core::Value(value));
    const bool accepted =
        config.Get(key).get_type() == core::Value::STRING && config.Get(key).as_string() == value;
    if (!accepted) {
        test::FuzzCheck(config.Get(key).as_string() == before.as_string(),
                        "a refused setting changes nothing");
        return 0;
    }
    utils::Config next_start;
    next_start.Load(Text(defaults), true);
    next_start.Load(Text(Saved(config)), false);
    test::FuzzCheck(next_start.Get(key).as_string() == value, "an accepted setting reads back after saving");
    return 0;
}
