#pragma once

#include <string>
#include <vector>

#include "vantle/core/log.h"

namespace test {

// Installs itself as the log's writer for its lifetime and keeps every message.
class CaptureLog {
public:
    CaptureLog();
    ~CaptureLog();
    CaptureLog(const CaptureLog&) = delete;
    CaptureLog& operator=(const CaptureLog&) = delete;

    const std::vector<std::string>& Lines() const { return *_lines; }
    // Whether any message contains the text.
    bool Contains(const std::string& text) const;
    void Clear() { _lines->clear(); }

private:
    std::vector<std::string>* _lines;
};

}  // namespace test
