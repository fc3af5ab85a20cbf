#include "vantle/script/ruby/rb_powerups.h"

#include <limits>
#include <string>
#include <vector>

#include "vantle/core/log.h"
#include "vantle/game/current_powerup_set.h"
#include "vantle/game/powerup_definition.h"
#include "vantle/script/ruby/ruby_api.h"
#include "vantle/script/ruby/ruby_methods.h"

namespace script {

namespace {

using namespace rubymethods;

using DefinitionPtr = core::ptr<game::PowerupDefinition>;

void FreeDefinition(void* data) {
    delete static_cast<DefinitionPtr*>(data);
}

size_t DefinitionSize(const void*) {
    return sizeof(DefinitionPtr);
}

const rb_data_type_t kDefinitionType = {"PowerupDefinition",
                                        {nullptr, FreeDefinition, DefinitionSize, nullptr, {nullptr}},
                                        nullptr,
                                        nullptr,
                                        RUBY_TYPED_FREE_IMMEDIATELY};

VALUE definition_class = Qnil;

VALUE Strings(const std::vector<std::string>& texts) {
    const VALUE array = rb_ary_new_capa(static_cast<long>(texts.size()));
    for (const std::string& text : texts) rb_ary_push(array, Utf8(text));
    return array;
}

// --- PowerupDefinition ---

// The definition behind an object made by get; empty for any other object of the class.
DefinitionPtr DefinitionOf(VALUE self) {
    const DefinitionPtr* held = static_cast<const DefinitionPtr*>(RTYPEDDATA_DATA(self));
    return held ? *held : DefinitionPtr();
}

void CheckDefinition(VALUE self) {
    if (!rb_typeddata_is_kind_of(self, &kDefinitionType)) RaiseWrongType(self, "PowerupDefinition");
}

VALUE DefinitionName(VALUE self) {
    CheckDefinition(self);
    return Contained("PowerupDefinition#name", [self] {
        const DefinitionPtr definition = DefinitionOf(self);
        return definition ? Utf8(definition->GetName()) : Qnil;
    });
}

VALUE DefinitionLevelCount(VALUE self) {
    CheckDefinition(self);
    return Contained("PowerupDefinition#level_count", [self] {
        const DefinitionPtr definition = DefinitionOf(self);
        return definition ? UINT2NUM(definition->GetLevelCount()) : Qnil;
    });
}

VALUE DefinitionLevelPrice(VALUE self, VALUE level) {
    CheckDefinition(self);
    if (!RB_INTEGER_TYPE_P(level)) RaiseWrongType(level, "Integer");
    return Contained("PowerupDefinition#level_price", [self, level] {
        const DefinitionPtr definition = DefinitionOf(self);
        if (!definition) return Qnil;
        // Negative and huge levels lie past the last level like any other.
        const bool in_range = FIXNUM_P(level) && FIX2LONG(level) >= 0 &&
                              FIX2LONG(level) <= static_cast<long>(std::numeric_limits<unsigned int>::max());
        return UINT2NUM(in_range ? definition->GetPrice(static_cast<unsigned int>(FIX2LONG(level))) : 0u);
    });
}

VALUE DefinitionGet(VALUE, VALUE name) {
    CheckString(name);
    return Contained("PowerupDefinition.get", [name] {
        const DefinitionPtr definition = game::PowerupDefinitionTable::instance()->Get(Text(name));
        if (!definition) return Qnil;
        // Wrapped empty first: should wrapping raise, no pointer is left without an owner.
        const VALUE object = TypedData_Wrap_Struct(definition_class, &kDefinitionType, nullptr);
        RTYPEDDATA_DATA(object) = new DefinitionPtr(definition);
        return object;
    });
}

VALUE DefinitionLoadTable(VALUE, VALUE) {
    return Qnil;
}

VALUE DefinitionNames(VALUE) {
    return Contained("PowerupDefinition.names",
                     [] { return Strings(game::PowerupDefinitionTable::instance()->GetAllNames()); });
}

void DefineDefinitionClass() {
    // Held here for get, also should a script remove the constant.
    if (NIL_P(definition_class)) rb_gc_register_address(&definition_class);
    definition_class = rb_define_class("PowerupDefinition", rb_cObject);
    // Only get makes objects: new and allocate raise a TypeError.
    rb_undef_alloc_func(definition_class);
    rb_define_method(definition_class, "name", DefinitionName, 0);
    rb_define_method(definition_class, "level_count", DefinitionLevelCount, 0);
    rb_define_method(definition_class, "level_price", DefinitionLevelPrice, 1);
    rb_define_singleton_method(definition_class, "get", DefinitionGet, 1);
    rb_define_singleton_method(definition_class, "load_table", DefinitionLoadTable, 1);
    rb_define_singleton_method(definition_class, "names", DefinitionNames, 0);
}

// --- PowerupSet ---

game::CurrentPowerupSet* Current() {
    return game::CurrentPowerupSet::instance();
}

// A held power-up's number, or nil when the set holds none of that name.
template <class Read>
VALUE HeldNumber(const char* method, VALUE name, Read read) {
    CheckString(name);
    return Contained(method, [name, read] {
        const core::ptr<game::Powerup> powerup = Current()->Get(Text(name));
        return powerup ? read(*powerup) : Qnil;
    });
}

VALUE SetSelect(VALUE, VALUE name) {
    CheckString(name);
    return Contained("PowerupSet.select", [name] {
        Current()->Select(Text(name));
        return Qnil;
    });
}

VALUE SetInclude(VALUE, VALUE name) {
    CheckString(name);
    return Contained("PowerupSet.include?", [name] { return Bool(!Current()->Get(Text(name)).empty()); });
}

VALUE SetMaxLevel(VALUE, VALUE name) {
    return HeldNumber("PowerupSet.max_level", name,
                      [](const game::Powerup& powerup) { return UINT2NUM(powerup.GetMaxLevel()); });
}

VALUE SetLevel(VALUE, VALUE name) {
    return HeldNumber("PowerupSet.level", name,
                      [](const game::Powerup& powerup) { return UINT2NUM(powerup.GetLevel()); });
}

VALUE SetFilling(VALUE, VALUE name) {
    return HeldNumber("PowerupSet.filling", name,
                      [](const game::Powerup& powerup) { return DBL2NUM(powerup.GetFill()); });
}

VALUE SetDump(VALUE) {
    return Contained("PowerupSet.dump", [] { return Utf8(Current()->Save()); });
}

VALUE SetReload(VALUE) {
    return Contained("PowerupSet.reload!", [] {
        Current()->Reload();
        return Qtrue;
    });
}

VALUE SetBuy(VALUE, VALUE name) {
    CheckString(name);
    return Contained("PowerupSet.buy", [name] { return Bool(Current()->Buy(Text(name))); });
}

VALUE SetSell(VALUE, VALUE name) {
    CheckString(name);
    return Contained("PowerupSet.sell", [name] { return Bool(Current()->Sell(Text(name))); });
}

VALUE SetCanBuy(VALUE) {
    return Contained("PowerupSet.can_buy", [] { return Strings(Current()->CanBuy()); });
}

VALUE SetEmpty(VALUE) {
    return Contained("PowerupSet.empty?", [] { return Bool(Current()->IsEmpty()); });
}

void DefineSetClass() {
    const VALUE set_class = rb_define_class("PowerupSet", rb_cObject);
    rb_define_singleton_method(set_class, "select", SetSelect, 1);
    rb_define_singleton_method(set_class, "include?", SetInclude, 1);
    rb_define_singleton_method(set_class, "max_level", SetMaxLevel, 1);
    rb_define_singleton_method(set_class, "level", SetLevel, 1);
    rb_define_singleton_method(set_class, "filling", SetFilling, 1);
    rb_define_singleton_method(set_class, "dump", SetDump, 0);
    rb_define_singleton_method(set_class, "reload!", SetReload, 0);
    rb_define_singleton_method(set_class, "buy", SetBuy, 1);
    rb_define_singleton_method(set_class, "sell", SetSell, 1);
    rb_define_singleton_method(set_class, "can_buy", SetCanBuy, 0);
    rb_define_singleton_method(set_class, "empty?", SetEmpty, 0);
}

}  // namespace

void InitRubyPowerupDefinition() {
    DefineProtected(DefineDefinitionClass);
}

void InitRubyPowerupSet() {
    DefineProtected(DefineSetClass);
}

}  // namespace script
