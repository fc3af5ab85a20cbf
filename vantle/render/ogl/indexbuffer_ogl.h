#pragma once

#include <cstdint>
#include <vector>

#include "vantle/render/buffers.h"

namespace render {

// Unsigned 16-bit indices in a plain array. The count never exceeds the reserved count.
class IndexBufferOGL : public IIndexBuffer {
public:
    explicit IndexBufferOGL(unsigned int reserved);

    void SetCount(unsigned int count) override;
    unsigned int GetCount() override { return _count; }
    unsigned int GetReservedCount() override { return _reserved; }
    void Lock() override { _locked = true; }
    void Unlock() override { _locked = false; }
    // Keeps the low 16 bits of the vertex number, locked or not; positions past the reserved count are
    // ignored.
    void SetIndex(unsigned int position, unsigned int vertex) override;

    std::uint16_t GetIndex(unsigned int position) const { return _indices[position]; }

private:
    bool _locked = false;
    std::vector<std::uint16_t> _indices;
    unsigned int _count;
    unsigned int _reserved;
};

}  // namespace render
