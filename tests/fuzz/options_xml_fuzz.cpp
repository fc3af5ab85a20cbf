// Option sets read from "option" elements, as level and player files hold them, then written as XML
// text and in the binary form: both must read back as the same set.

#include <tinyxml.h>

#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz/fuzz_input.h"
#include "vantle/core/options.h"
#include "vantle/io/buffer_stream.h"
#include "vantle/io/reader.h"
#include "vantle/io/writer.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    TiXmlDocument document;
    document.Parse(text.c_str());
    const core::Options options(document.RootElement());

    const std::string xml = options.ToXML();
    TiXmlDocument written;
    written.Parse(xml.c_str());
    test::FuzzCheck(!written.Error(), "the XML text of a set parses");
    test::FuzzCheck(core::Options(written.RootElement()).ToXML() == xml,
                    "the XML text reads back as the same set");

    core::ptr<io::BufferStream> sink(new io::BufferStream());
    io::Writer writer(sink);
    options.Save(writer);
    sink->Seek(0);
    io::Reader reader(sink);
    core::Options reloaded;
    reloaded.Load(reader);
    test::FuzzCheck(reloaded.ToXML() == xml, "the saved record reads back as the same set");
    return 0;
}
