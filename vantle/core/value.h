#pragma once

#include <cstdint>
#include <string>

namespace core {

// The engine's one tagged value. Values born as text are parsed on demand; numbers keep their own type
// and read as another numeric type by value (an INT32 5 read as float is 5.0f).
class Value {
public:
    enum type {
        UNSET = 0,
        INT8 = 1,  // exists as a tag only: nothing produces it
        INT16 = 2,
        INT32 = 3,
        UINT8 = 4,
        UINT16 = 5,
        UINT32 = 6,
        FLOAT = 7,
        DOUBLE = 8,
        STRING = 9,
        BOOL = 10,
    };

    Value();
    Value(const Value& other);
    Value(const std::string& text);
    // Text given as a literal stays text instead of turning into a BOOL through the pointer.
    Value(const char* text);
    Value(const short& number);
    Value(const int& number);
    Value(const unsigned char& number);
    Value(const unsigned short& number);
    Value(const unsigned int& number);
    Value(const float& number);
    Value(const double& number);
    Value(const bool& flag);

    // Number assignments set the tag and the number; the old text stays hidden until a STRING tag.
    Value& operator=(const Value& other);
    Value& operator=(const bool& flag);
    Value& operator=(const double& number);
    Value& operator=(const float& number);
    Value& operator=(const unsigned int& number);
    Value& operator=(const unsigned short& number);
    Value& operator=(const unsigned char& number);
    Value& operator=(const int& number);
    Value& operator=(const short& number);
    // There is no assignment from text; without this a literal would assign a BOOL.
    Value& operator=(const char*) = delete;

    // Text is read as one T by a classic-locale stream (leading blanks skipped, trailing rest ignored,
    // no T gives 0); `unsigned char` takes one character's code. Numbers convert by value.
    // Defined for short, int, unsigned char, unsigned short, unsigned int, float, double and bool.
    template <class T>
    T get() const;

    short as_int16() const { return get<short>(); }
    int as_int32() const { return get<int>(); }
    unsigned char as_uint8() const { return get<unsigned char>(); }
    unsigned short as_uint16() const { return get<unsigned short>(); }
    unsigned int as_uint32() const { return get<unsigned int>(); }
    float as_float() const { return get<float>(); }
    double as_double() const { return get<double>(); }

    // Text: exactly "true", "yes" or "1"; numbers: not zero.
    bool get_bool() const;
    bool as_bool() const { return get_bool(); }

    std::string as_string() const;
    std::string get_typename() const;
    type get_type() const { return static_cast<type>(_type); }

    void unset();
    // Converts in place to the tag; same tag or a tag outside the enumeration does nothing.
    void convert(type target);

    // Equal only with equal tags and contents; two UNSET (or INT8) values are never equal.
    bool operator==(const Value& other) const;
    bool operator!=(const Value& other) const { return !(*this == other); }
    // Ordering converts a copy of the right operand to the left's tag. Throws the character string
    // "wrong Value::type" for UNSET and INT8.
    bool operator<(const Value& other) const;
    bool operator<=(const Value& other) const;
    bool operator>(const Value& other) const;
    bool operator>=(const Value& other) const;

private:
    static constexpr std::size_t kStorageSize = 8;

    template <class T>
    void store(type tag, T number);
    template <class T>
    T load() const;
    template <class T>
    T number_as() const;

    std::int32_t _type;
    unsigned char _storage[kStorageSize];
    std::string _text;
};

}  // namespace core
