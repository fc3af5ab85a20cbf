#include "vantle/xml/parser_text.h"

#include <gtest/gtest.h>
#include <sys/mman.h>
#include <tinyxml.h>
#include <unistd.h>

#include <cstring>
#include <string>

#include "vantle/xml/xmlcache.h"

namespace {

// A copy of the bytes that ends where readable memory ends: reading one byte further faults. The parser
// library is not built with AddressSanitizer, so only a fault shows its reads past the end.
class GuardedBytes {
public:
    explicit GuardedBytes(const std::string& bytes) {
        const std::size_t page = static_cast<std::size_t>(sysconf(_SC_PAGESIZE));
        _size = (bytes.size() / page + 2) * page;
        void* memory = mmap(nullptr, _size, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
        EXPECT_NE(memory, MAP_FAILED);
        _memory = static_cast<char*>(memory);
        EXPECT_EQ(mprotect(_memory + _size - page, page, PROT_NONE), 0);
        _begin = _memory + _size - page - bytes.size();
        std::memcpy(_begin, bytes.data(), bytes.size());
    }
    ~GuardedBytes() { munmap(_memory, _size); }
    GuardedBytes(const GuardedBytes&) = delete;
    GuardedBytes& operator=(const GuardedBytes&) = delete;

    const char* Data() const { return _begin; }

private:
    std::size_t _size = 0;
    char* _memory = nullptr;
    char* _begin = nullptr;
};

const std::string kDeclared = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>";
const std::string kMarked = "\xEF\xBB\xBF";

// Documents that the parser reads as UTF-8 and that end inside a character.
const struct {
    const char* name;
    std::string text;
} kCutCharacters[] = {
    {"attribute, four-byte lead", kDeclared + "<a b=\"\xF0"},
    {"attribute, three-byte lead and one more", kDeclared + "<a b='\xE2\x82"},
    {"attribute, two-byte lead", kDeclared + "<a b=\"\xC3"},
    {"attribute, byte-order mark", kMarked + "<a b=\"\xF0\x9F"},
    {"element text, four-byte lead", kDeclared + "<a>\xF0"},
    {"element text, no encoding named", "<?xml version=\"1.0\"?><a>x\xE2"},
    {"element text, byte-order mark", kMarked + "<a>\xF0\x9F\x98"},
    {"element text after blanks", kDeclared + "<a>\n  \xF0"},
};

TEST(ParserText, TextEndingInsideAUtf8CharacterIsReadWithinItsBuffer) {
    for (const auto& c : kCutCharacters) {
        SCOPED_TRACE(c.name);
        const GuardedBytes input(xml::ParserText(c.text));
        TiXmlDocument document;
        document.Parse(input.Data(), nullptr, TIXML_ENCODING_UNKNOWN);
        EXPECT_TRUE(document.Error());

        const core::ptr<TiXmlDocument> parsed = xml::Parse("cut.xml", c.text);
        ASSERT_TRUE(parsed);
        EXPECT_TRUE(parsed->Error());
        EXPECT_STREQ(parsed->Value(), "cut.xml");
    }
}

// The guard is sharp: the text with only its terminating zero, as the parser used to be handed it, faults.
TEST(ParserTextDeathTest, TheBareTextRunsOffItsBuffer) {
    const GuardedBytes bare(kCutCharacters[0].text + '\0');
    EXPECT_DEATH(TiXmlDocument().Parse(bare.Data(), nullptr, TIXML_ENCODING_UNKNOWN), "");
}

}  // namespace
