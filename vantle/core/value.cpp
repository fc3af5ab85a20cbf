#include "vantle/core/value.h"

#include <cmath>
#include <cstring>
#include <functional>
#include <limits>
#include <locale>
#include <sstream>
#include <type_traits>

#include "vantle/core/number_text.h"
#include "vantle/core/strutils.h"

namespace core {

namespace {

// A number brought to another numeric type by value. Floating values outside an integer type's range
// saturate (NaN gives 0) instead of being undefined; integers wrap as the language converts them.
template <class Target, class Source>
Target NumberCast(Source number) {
    if constexpr (std::is_same_v<Target, bool>) {
        return number != 0;
    } else if constexpr (std::is_floating_point_v<Target>) {
        if constexpr (std::is_floating_point_v<Source>) {
            const double wide = number;
            if (std::isfinite(wide) && std::fabs(wide) > std::numeric_limits<Target>::max())
                return std::copysign(std::numeric_limits<Target>::infinity(),
                                     static_cast<Target>(wide > 0 ? 1 : -1));
        }
        return static_cast<Target>(number);
    } else if constexpr (std::is_floating_point_v<Source>) {
        const double wide = number;
        if (std::isnan(wide)) return 0;
        if (wide <= static_cast<double>(std::numeric_limits<Target>::min()))
            return std::numeric_limits<Target>::min();
        if (wide >= static_cast<double>(std::numeric_limits<Target>::max()))
            return std::numeric_limits<Target>::max();
        return static_cast<Target>(wide);
    } else {
        return static_cast<Target>(number);
    }
}

// As a string stream in the classic locale reads one T.
template <class T>
T ParseText(const std::string& text) {
    if constexpr (std::is_same_v<T, unsigned char>) {
        return static_cast<unsigned char>(ExtractCharacter(text.data(), text.size()));
    } else if constexpr (std::is_same_v<T, bool>) {
        return ExtractFlag(text.data(), text.size());
    } else {
        return ExtractNumber<T>(text.data(), text.size());
    }
}

template <class T>
std::string WriteNumber(T number) {
    std::ostringstream out;
    out.imbue(std::locale::classic());
    out << number;
    return out.str();
}

const char kWrongType[] = "wrong Value::type";

}  // namespace

Value::Value() : _type(UNSET), _storage{} {}

Value::Value(const Value& other) = default;

Value::Value(const std::string& text) : _type(STRING), _storage{}, _text(text) {}

Value::Value(const char* text) : _type(STRING), _storage{}, _text(text ? text : "") {}

Value::Value(const short& number) : _storage{} {
    store(INT16, number);
}
Value::Value(const int& number) : _storage{} {
    store(INT32, number);
}
Value::Value(const unsigned char& number) : _storage{} {
    store(UINT8, number);
}
Value::Value(const unsigned short& number) : _storage{} {
    store(UINT16, number);
}
Value::Value(const unsigned int& number) : _storage{} {
    store(UINT32, number);
}
Value::Value(const float& number) : _storage{} {
    store(FLOAT, number);
}
Value::Value(const double& number) : _storage{} {
    store(DOUBLE, number);
}
Value::Value(const bool& flag) : _storage{} {
    store(BOOL, static_cast<std::uint32_t>(flag ? 1 : 0));
}

Value& Value::operator=(const Value& other) = default;

Value& Value::operator=(const bool& flag) {
    store(BOOL, static_cast<std::uint32_t>(flag ? 1 : 0));
    return *this;
}
Value& Value::operator=(const double& number) {
    store(DOUBLE, number);
    return *this;
}
Value& Value::operator=(const float& number) {
    store(FLOAT, number);
    return *this;
}
Value& Value::operator=(const unsigned int& number) {
    store(UINT32, number);
    return *this;
}
Value& Value::operator=(const unsigned short& number) {
    store(UINT16, number);
    return *this;
}
Value& Value::operator=(const unsigned char& number) {
    store(UINT8, number);
    return *this;
}
Value& Value::operator=(const int& number) {
    store(INT32, number);
    return *this;
}
Value& Value::operator=(const short& number) {
    store(INT16, number);
    return *this;
}

template <class T>
void Value::store(type tag, T number) {
    static_assert(sizeof(T) <= kStorageSize);
    _type = tag;
    std::memcpy(_storage, &number, sizeof(T));
}

template <class T>
T Value::load() const {
    T number;
    std::memcpy(&number, _storage, sizeof(T));
    return number;
}

template <class T>
T Value::number_as() const {
    switch (_type) {
        case INT8:
            return NumberCast<T>(load<std::int8_t>());
        case INT16:
            return NumberCast<T>(load<std::int16_t>());
        case INT32:
            return NumberCast<T>(load<std::int32_t>());
        case UINT8:
            return NumberCast<T>(load<std::uint8_t>());
        case UINT16:
            return NumberCast<T>(load<std::uint16_t>());
        case UINT32:
            return NumberCast<T>(load<std::uint32_t>());
        case FLOAT:
            return NumberCast<T>(load<float>());
        case DOUBLE:
            return NumberCast<T>(load<double>());
        case BOOL:
            return NumberCast<T>(load<std::uint32_t>());
        default:
            return T{};
    }
}

template <class T>
T Value::get() const {
    if (_type == STRING) return ParseText<T>(_text);
    return number_as<T>();
}

template short Value::get<short>() const;
template int Value::get<int>() const;
template unsigned char Value::get<unsigned char>() const;
template unsigned short Value::get<unsigned short>() const;
template unsigned int Value::get<unsigned int>() const;
template float Value::get<float>() const;
template double Value::get<double>() const;
template bool Value::get<bool>() const;

bool Value::get_bool() const {
    if (_type == STRING) return str2bool(_text);
    return number_as<bool>();
}

std::string Value::as_string() const {
    switch (_type) {
        case STRING:
            return _text;
        case INT16:
            return WriteNumber(load<std::int16_t>());
        case INT32:
            return WriteNumber(load<std::int32_t>());
        case UINT16:
            return WriteNumber(load<std::uint16_t>());
        case UINT32:
            return WriteNumber(load<std::uint32_t>());
        case UINT8:
            return std::string(1, static_cast<char>(load<std::uint8_t>()));
        case FLOAT:
            return WriteNumber(load<float>());
        case DOUBLE:
            return WriteNumber(load<double>());
        case BOOL:
            return bool2str(load<std::uint32_t>() != 0);
        default:
            return std::string();
    }
}

std::string Value::get_typename() const {
    static const char* const kNames[] = {"UNSET",  "INT8",  "INT16",  "INT32",  "UINT8", "UINT16",
                                         "UINT32", "FLOAT", "DOUBLE", "STRING", "BOOL"};
    if (_type < UNSET || _type > BOOL) return kNames[UNSET];
    return kNames[_type];
}

void Value::unset() {
    _text.clear();
    _type = UNSET;
    std::memset(_storage, 0, kStorageSize);
}

void Value::convert(type target) {
    if (target == _type || target < UNSET || target > BOOL) return;
    switch (target) {
        case INT16:
            store(INT16, get<short>());
            break;
        case INT32:
            store(INT32, get<int>());
            break;
        case UINT8:
            store(UINT8, get<unsigned char>());
            break;
        case UINT16:
            store(UINT16, get<unsigned short>());
            break;
        case UINT32:
            store(UINT32, get<unsigned int>());
            break;
        case FLOAT:
            store(FLOAT, get<float>());
            break;
        case DOUBLE:
            store(DOUBLE, get<double>());
            break;
        case BOOL:
            store(BOOL, static_cast<std::uint32_t>(get<bool>() ? 1 : 0));
            break;
        case STRING:
            _text = as_string();
            break;
        default:
            break;
    }
    _type = target;
}

bool Value::operator==(const Value& other) const {
    if (_type != other._type) return false;
    switch (_type) {
        case INT16:
        case UINT16:
            return load<std::uint16_t>() == other.load<std::uint16_t>();
        case UINT8:
            return load<std::uint8_t>() == other.load<std::uint8_t>();
        case INT32:
        case UINT32:
        case BOOL:
            return load<std::uint32_t>() == other.load<std::uint32_t>();
        case FLOAT:
            return load<float>() == other.load<float>();
        case DOUBLE:
            return load<double>() == other.load<double>();
        case STRING:
            return _text == other._text;
        default:
            return false;
    }
}

namespace {

int CompareBytes(const std::string& a, const std::string& b) {
    const std::size_t shorter = a.size() < b.size() ? a.size() : b.size();
    const int bytes = shorter ? std::memcmp(a.data(), b.data(), shorter) : 0;
    if (bytes != 0) return bytes;
    if (a.size() == b.size()) return 0;
    return a.size() < b.size() ? -1 : 1;
}

// Applies the ordering to two values of the same tag.
template <class Order>
bool OrderSameType(Value::type tag, const Value& a, const Value& b, Order order) {
    switch (tag) {
        case Value::INT16:
            return order(a.as_int16(), b.as_int16());
        case Value::INT32:
        case Value::BOOL:
            return order(a.as_int32(), b.as_int32());
        case Value::UINT8:
            return order(a.as_uint8(), b.as_uint8());
        case Value::UINT16:
            return order(a.as_uint16(), b.as_uint16());
        case Value::UINT32:
            return order(a.as_uint32(), b.as_uint32());
        case Value::FLOAT:
            return order(a.as_float(), b.as_float());
        case Value::DOUBLE:
            return order(a.as_double(), b.as_double());
        case Value::STRING:
            return order(CompareBytes(a.as_string(), b.as_string()), 0);
        default:
            throw kWrongType;
    }
}

template <class Order>
bool Ordered(const Value& a, const Value& b, Order order) {
    if (a.get_type() == b.get_type()) return OrderSameType(a.get_type(), a, b, order);
    Value converted(b);
    converted.convert(a.get_type());
    return OrderSameType(a.get_type(), a, converted, order);
}

}  // namespace

bool Value::operator<(const Value& other) const {
    return Ordered(*this, other, std::less<>());
}
bool Value::operator<=(const Value& other) const {
    return Ordered(*this, other, std::less_equal<>());
}
bool Value::operator>(const Value& other) const {
    return Ordered(*this, other, std::greater<>());
}
bool Value::operator>=(const Value& other) const {
    return Ordered(*this, other, std::greater_equal<>());
}

}  // namespace core
