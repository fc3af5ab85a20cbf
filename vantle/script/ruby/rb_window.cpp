#include "vantle/script/ruby/rb_window.h"

#include <cmath>
#include <limits>
#include <string>

#include "vantle/core/log.h"
#include "vantle/core/ptr.h"
#include "vantle/gui/root_window.h"
#include "vantle/gui/window.h"
#include "vantle/script/ruby/ruby_api.h"
#include "vantle/script/ruby/ruby_methods.h"

namespace script {

namespace {

using namespace rubymethods;

using WindowPtr = core::ptr<gui::Window>;

const unsigned int kLongestSwitch = std::numeric_limits<unsigned int>::max();

core::Log* Log() {
    return core::Log::instance();
}

// Releasing the reference may destroy the window and its subtree. Not freed immediately: Ruby runs this
// after the collector's sweep, at its next interrupt check, where such a destructor may do what it must.
void FreeWindow(void* data) {
    WindowPtr* held = static_cast<WindowPtr*>(data);
    if (core::Log::exists()) {
        if (*held) {
            Log()->Write("Window rb_free #%s", (*held)->GetId().c_str());
        } else {
            Log()->Write("Window rb_free");
        }
    }
    delete held;
}

size_t WindowSize(const void*) {
    return sizeof(WindowPtr);
}

const rb_data_type_t kWindowType = {
    "Window", {nullptr, FreeWindow, WindowSize, nullptr, {nullptr}}, nullptr, nullptr, 0};

// Held here for wrapping, also should a script remove the constant.
VALUE window_class = Qnil;

gui::RootWindow* Root() {
    return gui::RootWindow::instance();
}

void CheckWindow(VALUE self) {
    if (!rb_typeddata_is_kind_of(self, &kWindowType)) RaiseWrongType(self, "Window");
}

void CheckSwitchTime(VALUE time) {
    if (!RB_INTEGER_TYPE_P(time) && !RB_FLOAT_TYPE_P(time)) RaiseWrongType(time, "Integer");
}

// The window behind an object made by get_child, as a new reference held for the call.
WindowPtr WindowOf(VALUE self) {
    const WindowPtr* held = static_cast<const WindowPtr*>(RTYPEDDATA_DATA(self));
    return held ? *held : WindowPtr();
}

// Wrapped empty first: should wrapping raise, no reference is left without an owner.
VALUE Wrap(const WindowPtr& window) {
    if (!window) return Qnil;
    const VALUE object = TypedData_Wrap_Struct(window_class, &kWindowType, nullptr);
    RTYPEDDATA_DATA(object) = new WindowPtr(window);
    return object;
}

unsigned int ClampedSwitchTime(double time) {
    if (!(time >= 0.0)) return 0;
    if (time > static_cast<double>(kLongestSwitch)) return kLongestSwitch;
    return static_cast<unsigned int>(time);
}

// A checked number as milliseconds, without raising.
unsigned int SwitchTime(VALUE time, const char* method) {
    const double wanted = FIXNUM_P(time)          ? static_cast<double>(FIX2LONG(time))
                          : RB_FLOAT_TYPE_P(time) ? rb_float_value(time)
                                                  : rb_big2dbl(time);
    const unsigned int taken = ClampedSwitchTime(wanted);
    if (static_cast<double>(taken) != std::trunc(wanted)) {
        Log()->Write("%s: switch time %g out of range, %u taken", method, wanted, taken);
    }
    return taken;
}

// With no time given (Qundef) the window's own switch time.
void ApplyState(gui::Window& window, VALUE name, VALUE time, const char* method) {
    if (time == Qundef) return window.SetState(Text(name));
    window.SetState(Text(name), SwitchTime(time, method));
}

// --- Window ---

VALUE WindowId(VALUE self) {
    CheckWindow(self);
    return Contained("Window#id", [self] {
        const WindowPtr window = WindowOf(self);
        return window ? Utf8(window->GetId()) : Qnil;
    });
}

VALUE WindowIsVisible(VALUE self) {
    CheckWindow(self);
    return Contained("Window#visible?", [self] {
        const WindowPtr window = WindowOf(self);
        return window ? Bool(window->IsVisible()) : Qnil;
    });
}

VALUE WindowIsEnabled(VALUE self) {
    CheckWindow(self);
    return Contained("Window#enabled?", [self] {
        const WindowPtr window = WindowOf(self);
        return window ? Bool(window->IsEnabled()) : Qnil;
    });
}

VALUE WindowSetVisible(VALUE self, VALUE value) {
    CheckWindow(self);
    return Contained("Window#visible=", [self, value] {
        if (const WindowPtr window = WindowOf(self)) window->SetVisible(value == Qtrue);
        return Qnil;
    });
}

VALUE WindowSetEnabled(VALUE self, VALUE value) {
    CheckWindow(self);
    return Contained("Window#enabled=", [self, value] {
        if (const WindowPtr window = WindowOf(self)) window->SetEnabled(value == Qtrue);
        return Qnil;
    });
}

VALUE WindowGetChild(VALUE self, VALUE path) {
    CheckWindow(self);
    CheckString(path);
    return Contained("Window#get_child", [self, path] {
        const WindowPtr window = WindowOf(self);
        return window ? Wrap(window->GetChild(Text(path))) : Qnil;
    });
}

VALUE WindowLoadChilds(VALUE self, VALUE file) {
    CheckWindow(self);
    CheckString(file);
    return Contained("Window#load_childs", [self, file] {
        if (const WindowPtr window = WindowOf(self)) window->LoadChilds(Text(file));
        return Qnil;
    });
}

VALUE WindowGet(VALUE self, VALUE name) {
    CheckWindow(self);
    CheckString(name);
    return Contained("Window#get", [self, name] {
        const WindowPtr window = WindowOf(self);
        return window ? Utf8(window->GetProperty(Text(name)).as_string()) : Qnil;
    });
}

VALUE WindowSet(VALUE self, VALUE name, VALUE value) {
    CheckWindow(self);
    CheckString(name);
    CheckString(value);
    return Contained("Window#set", [self, name, value] {
        if (const WindowPtr window = WindowOf(self))
            window->SetProperty(Text(name), core::Value(Text(value)));
        return Qnil;
    });
}

VALUE WindowSetState(int argc, const VALUE* argv, VALUE self) {
    CheckWindow(self);
    rb_check_arity(argc, 1, 2);
    CheckString(argv[0]);
    if (argc == 2) CheckSwitchTime(argv[1]);
    const VALUE name = argv[0];
    const VALUE time = argc == 2 ? argv[1] : Qundef;
    return Contained("Window#set_state", [self, name, time] {
        if (const WindowPtr window = WindowOf(self)) ApplyState(*window, name, time, "Window#set_state");
        return Qnil;
    });
}

VALUE WindowSetHandler(VALUE self, VALUE event, VALUE code) {
    CheckWindow(self);
    CheckString(event);
    CheckString(code);
    return Contained("Window#set_handler", [self, event, code] {
        if (const WindowPtr window = WindowOf(self)) window->SetHandlerCode(Text(event), Text(code));
        return Qnil;
    });
}

// --- RootWindow ---

VALUE RootGetChild(VALUE, VALUE path) {
    CheckString(path);
    return Contained("RootWindow.get_child", [path] {
        const WindowPtr window = Root()->GetChild(Text(path));
        if (!window) return Qnil;
        Log()->Write("rb_root_window_get_child  #%s", window->GetId().c_str());
        return Wrap(window);
    });
}

VALUE RootSetFocus(VALUE, VALUE path) {
    CheckString(path);
    return Contained("RootWindow.set_focus", [path] {
        if (const WindowPtr window = Root()->GetChild(Text(path))) Root()->SetKeyboardFocus(window.get());
        return Qnil;
    });
}

VALUE RootSetState(int argc, const VALUE* argv, VALUE) {
    rb_check_arity(argc, 1, 2);
    CheckString(argv[0]);
    if (argc == 2) CheckSwitchTime(argv[1]);
    const VALUE name = argv[0];
    const VALUE time = argc == 2 ? argv[1] : Qundef;
    return Contained("RootWindow.set_state", [name, time] {
        ApplyState(*Root(), name, time, "RootWindow.set_state");
        return Qnil;
    });
}

void DefineWindowClasses() {
    Log()->Write("Window::InitRuby start");
    if (NIL_P(window_class)) rb_gc_register_address(&window_class);
    window_class = rb_define_class("Window", rb_cObject);
    // Only get_child makes objects: new, allocate, dup and clone raise a TypeError.
    rb_undef_alloc_func(window_class);
    rb_define_method(window_class, "id", WindowId, 0);
    rb_define_method(window_class, "visible?", WindowIsVisible, 0);
    rb_define_method(window_class, "enabled?", WindowIsEnabled, 0);
    rb_define_method(window_class, "visible=", WindowSetVisible, 1);
    rb_define_method(window_class, "enabled=", WindowSetEnabled, 1);
    rb_define_method(window_class, "get_child", WindowGetChild, 1);
    rb_define_method(window_class, "load_childs", WindowLoadChilds, 1);
    rb_define_method(window_class, "get", WindowGet, 1);
    rb_define_method(window_class, "set", WindowSet, 2);
    rb_define_method(window_class, "set_state", WindowSetState, -1);
    rb_define_method(window_class, "set_handler", WindowSetHandler, 2);
    Log()->Write("Window::InitRuby Window class creation ok");
    const VALUE root_class = rb_define_class("RootWindow", window_class);
    rb_define_singleton_method(root_class, "get_child", RootGetChild, 1);
    rb_define_singleton_method(root_class, "set_focus", RootSetFocus, 1);
    rb_define_singleton_method(root_class, "set_state", RootSetState, -1);
    Log()->Write("Window::InitRuby RootWindow class creation ok");
    Log()->Write("Window::InitRuby done");
}

}  // namespace

void InitRubyWindows() {
    DefineProtected(DefineWindowClasses);
}

}  // namespace script
