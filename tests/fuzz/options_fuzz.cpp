// Option records in their binary form, as levels and players store them: read, saved, read again, and
// written as XML text, which must read back as the same set.

#include <tinyxml.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "fuzz/fuzz_input.h"
#include "vantle/core/options.h"
#include "vantle/io/buffer_stream.h"
#include "vantle/io/reader.h"
#include "vantle/io/writer.h"

namespace {

std::string Saved(const core::Options& options) {
    core::ptr<io::BufferStream> sink(new io::BufferStream());
    io::Writer writer(sink);
    options.Save(writer);
    return sink->Bytes();
}

core::Options Loaded(const std::string& record) {
    core::Options options;
    options.Set("stale", core::Value(1));
    io::Reader reader(core::ptr<io::IStream>(new io::BufferStream(record)));
    options.Load(reader);
    return options;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const core::Options options = Loaded(std::string(reinterpret_cast<const char*>(data), size));
    const std::string saved = Saved(options);
    test::FuzzCheck(Saved(Loaded(saved)) == saved, "a saved record reads back as the same set");

    const std::string xml = options.ToXML();
    TiXmlDocument document;
    document.Parse(xml.c_str());
    test::FuzzCheck(!document.Error(), "the XML text of a set parses");
    test::FuzzCheck(core::Options(document.RootElement()).ToXML() == xml,
                    "the XML text reads back as the same set");
    return 0;
}
