#include "vantle/gui/widgets/dmesh.h"

#include <cmath>

#include "vantle/core/log.h"
#include "vantle/effects/distmesh.h"
#include "vantle/gui/widgets/text_attributes.h"
#include "vantle/gui/window_factory.h"
#include "vantle/render/scopes.h"
#include "vantle/render/texture_cache.h"
#include "vantle/utils/timer.h"
#include "vantle/xml/attributes.h"

namespace gui {

namespace {

constexpr float kMsPerSecond = 1000.0f;
constexpr unsigned long long kMaxVertices = 65536;
const render::Color kOpaqueWhite(1.0f, 1.0f, 1.0f, 1.0f);

// A divisor of the waves: zero would make every vertex fly off to infinity.
void AtLeastOne(unsigned int& value, const char* name, const std::string& id) {
    if (value != 0) return;
    core::Log::instance()->Write("dmesh %s: %s 0 taken as 1", id.c_str(), name);
    value = 1;
}

}  // namespace

DMesh::DMesh(TiXmlElement* element)
    : DrawableWindow(element), start_time(utils::Timer::instance()->GetTime()) {
    ReadParams(element);
    core::ptr<render::ITexture> texture;
    if (const char* name = xml::FindText(element, "texture"))
        texture = render::TextureCache::instance()->Get(name);
    BuildMesh(texture);
    filtering = ReadFiltering(element);
    if (xml::ReadText(element, "function") == "vwaves") function = VWAVES;
}

DMesh::DMesh(const std::string& id, const math::Rect& rect, const core::ptr<render::ITexture>& texture)
    : DrawableWindow(id, rect), start_time(utils::Timer::instance()->GetTime()) {
    BuildMesh(texture);
}

DMesh::~DMesh() = default;

Window* CreateDMesh(TiXmlElement* element) {
    return new DMesh(element);
}

void DMesh::Register() {
    WindowFactory::instance()->Register("dmesh", &CreateDMesh);
}

void DMesh::ReadParams(TiXmlElement* element) {
    for (int k = 0; k < kParams; ++k)
        param[k] = xml::ReadFloat(element, ("param" + std::to_string(k)).c_str(), param[k]);
    if (param[1] == 0.0f) {
        core::Log::instance()->Write("dmesh %s: param1 0 taken as 1", id.c_str());
        param[1] = 1.0f;
    }
    mesh_w = xml::ReadUnsigned(element, "mesh_w", mesh_w);
    mesh_h = xml::ReadUnsigned(element, "mesh_h", mesh_h);
    AtLeastOne(mesh_w, "mesh_w", id);
    AtLeastOne(mesh_h, "mesh_h", id);
    // The mesh indexes its vertices in 16 bits; a larger grid would only cost every frame.
    const unsigned long long vertices = (mesh_w + 1ULL) * (mesh_h + 1ULL);
    if (vertices > kMaxVertices) {
        core::Log::instance()->Write("dmesh %s: %u by %u cells is too fine, taking %u by %u", id.c_str(),
                                     mesh_w, mesh_h, kDefaultCells, kDefaultCells);
        mesh_w = mesh_h = kDefaultCells;
    }
}

void DMesh::BuildMesh(const core::ptr<render::ITexture>& texture) {
    textured = bool(texture);
    mesh =
        core::ptr<effects::DistortionMesh>(new effects::DistortionMesh(mesh_w, mesh_h, texture, rect.Size()));
}

math::Vector2 DMesh::Displacement(float t, unsigned int i, unsigned int j) const {
    if (function == VWAVES) {
        const float a = t * param[0] + static_cast<float>(mesh_h - j) / param[1];
        return math::Vector2(0.0f,
                             param[2] * std::sin(a) * static_cast<float>(j + 1) / static_cast<float>(mesh_h));
    }
    const float a = t * param[0] + static_cast<float>(i + j) / param[1];
    return math::Vector2(param[2] * std::cos(a), param[2] * std::sin(a));
}

void DMesh::Update() {
    const float t = static_cast<float>(utils::Timer::instance()->GetTime() - start_time) / kMsPerSecond;
    mesh->Lock();
    for (unsigned int i = 0; i <= mesh_w; ++i) {
        for (unsigned int j = 0; j <= mesh_h; ++j) {
            const math::Vector2 d = Displacement(t, i, j);
            mesh->Set(i, j, math::Vector3(d.x, d.y, 0.0f), kOpaqueWhite);
        }
    }
    mesh->Unlock();
}

void DMesh::Render() {
    if (!textured) return;
    RenderScope scope(*this);
    if (!scope) return;
    render::IRender& renderer = Renderer();
    render::WorldMatrixScope moved(renderer, math::Translation(rect.TopLeft()));
    if (filtering != render::IRender::FILTER_UNSET) renderer.SetFilteringMode(filtering);
    mesh->Render();
    if (filtering != render::IRender::FILTER_UNSET) renderer.SetFilteringMode(render::IRender::FILTER_POINT);
}

}  // namespace gui
