#include "vantle/render/render.h"

#include "vantle/core/log.h"

namespace render {

bool IRender::Init(int, int, int, bool) {
    return false;
}

IRender& Render::GetRenderer() {
    if (_implementation) {
        _missing_reported = false;
        return *_implementation;
    }
    if (!_missing_reported) {
        _missing_reported = true;
        core::Log::instance()->Write("No renderer installed: drawing is skipped");
    }
    return _null_renderer;
}

bool Render::Init(int width, int height, int depth, bool fullscreen) {
    RecordWindowSize(width, height);
    return _implementation ? _implementation->Init(width, height, depth, fullscreen) : false;
}

void Render::Restore() {
    if (!_implementation) return;
    _implementation->Restore();
    _implementation->SetOrtho(_ortho_width, _ortho_height);
}

bool Render::OpenWindow(int width, int height, int depth, bool fullscreen) {
    const bool opened =
        _implementation ? _implementation->OpenWindow(width, height, depth, fullscreen) : false;
    RecordWindowSize(width, height);
    return opened;
}

void Render::ResizeWindow(int width, int height) {
    if (!_implementation) return;
    _implementation->ResizeWindow(width, height);
    RecordWindowSize(width, height);
    _implementation->SetOrtho(_ortho_width, _ortho_height);
}

bool Render::ResizeWindow(bool fullscreen) {
    return _implementation ? _implementation->ResizeWindow(fullscreen) : false;
}

void Render::SetOrtho(float width, float height) {
    if (_implementation) _implementation->SetOrtho(width, height);
    _ortho_width = width;
    _ortho_height = height;
}

void Render::EnableStencil() {
    if (_implementation) _implementation->EnableStencil();
}

void Render::DisableStencil() {
    if (_implementation) _implementation->DisableStencil();
}

void Render::SetSystemCursor(const core::ptr<ITexture>& cursor) {
    if (_implementation) _implementation->SetSystemCursor(cursor);
}

void Render::RecordWindowSize(int width, int height) {
    _window_width = static_cast<float>(width);
    _window_height = static_cast<float>(height);
}

}  // namespace render
