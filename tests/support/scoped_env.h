#pragma once

#include <cstdlib>
#include <string>

namespace test {

// Sets an environment variable for one scope (a null value unsets it) and puts the old state back.
class ScopedEnv {
public:
    ScopedEnv(const char* name, const char* value) : _name(name) {
        const char* old = std::getenv(name);
        _had = old != nullptr;
        if (_had) _old = old;
        if (value)
            setenv(name, value, 1);
        else
            unsetenv(name);
    }
    ~ScopedEnv() {
        if (_had)
            setenv(_name.c_str(), _old.c_str(), 1);
        else
            unsetenv(_name.c_str());
    }
    ScopedEnv(const ScopedEnv&) = delete;
    ScopedEnv& operator=(const ScopedEnv&) = delete;

private:
    std::string _name, _old;
    bool _had = false;
};

}  // namespace test
