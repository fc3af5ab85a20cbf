#pragma once

#include <string>

#include "vantle/core/ptr.h"
#include "vantle/gui/widgets/drawable_window.h"
#include "vantle/render/irender.h"

class TiXmlElement;

namespace effects {
class DistortionMesh;
}

namespace render {
class ITexture;
}

namespace gui {

// A texture stretched over the window on a grid of "mesh_w" by "mesh_h" cells (10 each by default) whose
// vertices wave with time from the window's creation. "function" "waves1" (default) circles every vertex
// with radius param2 at param0 radians a second, the phase stepping 1/param1 per cell along both axes;
// "vwaves" moves vertices only up and down, stronger row by row. param0 to param4 default to 1; a zero
// param1 or grid size takes 1. "filtering" ("point", "linear", "anisotropic") applies while the mesh
// draws, and point filtering is left after it. Without a texture nothing is drawn. Takes no input and runs
// no plain window update.
class DMesh : public DrawableWindow {
public:
    explicit DMesh(TiXmlElement* element);
    // A 10 by 10 "waves1" mesh over the texture.
    DMesh(const std::string& id, const math::Rect& rect, const core::ptr<render::ITexture>& texture);
    ~DMesh() override;

    void Update() override;
    void Render() override;

    // Registers "dmesh" with the window factory.
    static void Register();

private:
    enum Function { WAVES1 = 0, VWAVES = 1 };
    static constexpr int kParams = 5;
    static constexpr unsigned int kDefaultCells = 10;

    void ReadParams(TiXmlElement* element);
    void BuildMesh(const core::ptr<render::ITexture>& texture);
    math::Vector2 Displacement(float t, unsigned int i, unsigned int j) const;

    core::ptr<effects::DistortionMesh> mesh;
    unsigned int start_time = 0;
    unsigned int mesh_w = kDefaultCells;
    unsigned int mesh_h = kDefaultCells;
    float param[kParams] = {1.0f, 1.0f, 1.0f, 1.0f, 1.0f};
    render::IRender::FilteringMode filtering = render::IRender::FILTER_UNSET;
    Function function = WAVES1;
    bool textured = false;
};

// The factory's creator for "dmesh".
Window* CreateDMesh(TiXmlElement* element);

}  // namespace gui
