#include <tinyxml.h>

#include "vantle/core/log.h"
#include "vantle/gui/window.h"
#include "vantle/script/engine.h"
#include "vantle/xml/attributes.h"

namespace gui {

namespace {

const char kValueGlobal[] = "$value";

}  // namespace

void Window::SetHandlerCode(const std::string& name, const std::string& code) {
    handlers[name].code = code;
}

void Window::SetHandlerFunction(const std::string& name, const std::string& function) {
    handlers[name].function = function;
}

void Window::LoadHandlers(TiXmlElement* element) {
    if (!element) return;
    for (TiXmlElement* child = element->FirstChildElement("handler"); child;
         child = child->NextSiblingElement("handler")) {
        const char* name = xml::FindText(child, "name");
        if (!name) {
            core::Log::instance()->Write("A handler without a name in %s is skipped", id.c_str());
            continue;
        }
        if (const char* code = xml::FindText(child, "code")) {
            SetHandlerCode(name, code);
        } else if (const char* function = xml::FindText(child, "function")) {
            SetHandlerFunction(name, function);
        } else {
            const char* text = child->GetText();
            SetHandlerCode(name, text ? text : "");
        }
    }
}

const Window::Handler* Window::FindHandler(const std::string& name) const {
    // Most windows have none, and "on_update" is asked of every window every frame.
    if (handlers.empty()) return nullptr;
    auto found = handlers.find(name);
    return found != handlers.end() ? &found->second : nullptr;
}

void Window::CallHandler(const std::string& name) {
    if (const Handler* handler = FindHandler(name)) RunHandler(*handler, core::ptr<script::IValue>(), false);
}

void Window::CallHandler(const std::string& name, float value) {
    if (const Handler* handler = FindHandler(name)) {
        RunHandler(*handler, script::Engine::instance()->CreateValue(value), true);
    }
}

void Window::CallHandler(const std::string& name, const std::string& value) {
    if (const Handler* handler = FindHandler(name)) {
        RunHandler(*handler, script::Engine::instance()->CreateValue(value), true);
    }
}

void Window::CallHandler(const std::string& name, int value) {
    if (const Handler* handler = FindHandler(name)) {
        RunHandler(*handler, script::Engine::instance()->CreateValue(value), true);
    }
}

void Window::RunHandler(Handler handler, const core::ptr<script::IValue>& value, bool has_value) {
    script::Engine* engine = script::Engine::instance();
    if (!handler.code.empty()) {
        if (has_value) engine->Set(kValueGlobal, value);
        engine->Eval(handler.code);
    } else if (!handler.function.empty()) {
        engine->CallFunction(handler.function, has_value ? value : engine->CreateValue(0));
    }
}

void Window::PrepareHandlers() {
    childs.PrepareHandlers();
}

}  // namespace gui
