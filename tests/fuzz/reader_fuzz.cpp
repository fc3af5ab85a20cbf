// The binary record reader. The input's first byte says how many fields to read, the next bytes which
// kinds, and the rest is the record. Every field read is written again and must read back the same.

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "fuzz/fuzz_input.h"
#include "vantle/io/buffer_stream.h"
#include "vantle/io/memory_stream.h"
#include "vantle/io/reader.h"
#include "vantle/io/writer.h"

namespace {

enum Field { INT, UINT, FLOAT, CHAR, STRING, AT_END, KINDS };

struct Read {
    Field kind;
    std::uint32_t word;  // integers, the float's bits and the character
    std::string text;
};

Read ReadField(io::Reader& reader, const core::ptr<io::IStream>& stream, Field kind) {
    Read read{kind, 0, std::string()};
    const unsigned int left = stream->Size() - stream->GetPosition();
    switch (kind) {
        case INT:
            read.word = static_cast<std::uint32_t>(reader.ReadInt());
            break;
        case UINT:
            read.word = reader.ReadUInt();
            break;
        case FLOAT: {
            const float value = reader.ReadFloat();
            std::memcpy(&read.word, &value, sizeof value);
            break;
        }
        case CHAR:
            read.word = static_cast<unsigned char>(reader.ReadChar());
            break;
        case STRING:
            read.text = reader.ReadString();
            test::FuzzCheck(read.text.size() <= left, "a string holds no more than the bytes left");
            test::FuzzCheck(read.text.find('\0') == std::string::npos,
                            "a string ends at its first zero byte");
            break;
        default:
            read.word = reader.AtEnd() ? 1 : 0;
            test::FuzzCheck(reader.AtEnd() == (left == 0), "at the end exactly when no byte is left");
            break;
    }
    test::FuzzCheck(stream->GetPosition() <= stream->Size(), "reading never moves past the end");
    return read;
}

void Write(io::Writer& writer, const core::ptr<io::IStream>& sink, const Read& read) {
    switch (read.kind) {
        case INT:
            writer.WriteInt(static_cast<int>(read.word));
            break;
        case UINT:
            writer.WriteUInt(read.word);
            break;
        case FLOAT: {
            float value;
            std::memcpy(&value, &read.word, sizeof value);
            writer.WriteFloat(value);
            break;
        }
        case CHAR: {
            const char c = static_cast<char>(read.word);
            sink->Write(&c, 1);
            break;
        }
        case STRING:
            writer.WriteString(read.text);
            break;
        default:
            break;
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const std::size_t count = data[0] < size - 1 ? data[0] : size - 1;
    std::vector<unsigned char> record(data + 1 + count, data + size);
    core::ptr<io::IStream> stream(
        new io::MemoryStream(record.data(), static_cast<unsigned int>(record.size())));
    io::Reader reader(stream);
    std::vector<Read> fields;
    for (std::size_t i = 0; i < count; ++i) {
        fields.push_back(ReadField(reader, stream, static_cast<Field>(data[1 + i] % KINDS)));
    }

    core::ptr<io::IStream> sink(new io::BufferStream());
    io::Writer writer(sink);
    for (const Read& read : fields) Write(writer, sink, read);
    sink->Seek(0);
    io::Reader again(sink);
    for (const Read& read : fields) {
        if (read.kind == AT_END) continue;
        const Read reread = ReadField(again, sink, read.kind);
        test::FuzzCheck(reread.word == read.word && reread.text == read.text, "a field written reads back");
    }
    test::FuzzCheck(again.AtEnd(), "what was written is read whole");
    return 0;
}
