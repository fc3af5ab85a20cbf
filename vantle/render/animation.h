#pragma once

#include <string>
#include <vector>

#include "vantle/render/tile.h"

class TiXmlElement;

namespace render {

// A sequence of tiles, each shown for its length of time. Sprites ask it every frame which tile to draw
// for the time since the animation started.
class Animation {
public:
    struct Frame {
        // The tile of the element, its texture rectangle taken from the element's own geometry.
        explicit Frame(TiXmlElement* element);
        Frame(const Tile& tile, unsigned int length) : tile(tile), length(length) {}

        Tile tile;
        unsigned int length = DEFAULT_LENGTH;
    };

    static constexpr unsigned int DEFAULT_LENGTH = 10;

    Animation() = default;
    explicit Animation(TiXmlElement* element);
    // The first "animation" element of the file; empty when the file is missing or broken.
    explicit Animation(const std::string& file_name);

    // Reads "loop" and appends the element's "frame" children.
    void Load(TiXmlElement* element);
    // The tile shown at time t (milliseconds since the start). A looping animation starts over at its total
    // length; a finished one keeps its last frame. An animation without frames gives an empty tile.
    const Tile& GetTile(unsigned int time) const;
    // The index of the frame GetTile shows; 0 without frames.
    size_t GetFrameIndex(unsigned int time) const;

    bool IsLooping() const { return _loop; }
    void SetLoop(bool loop) { _loop = loop; }
    unsigned int GetLength() const { return _length; }
    const std::vector<Frame>& GetFrames() const { return _frames; }
    void AddFrame(const Frame& frame);
    float GetSpeedScale() const { return _speed_scale; }
    void SetSpeedScale(float scale) { _speed_scale = scale; }

private:
    bool _loop = false;
    std::vector<Frame> _frames;
    unsigned int _length = 0;
    float _speed_scale = 1.0f;
};

}  // namespace render
