#include "support/capture_log.h"

namespace test {

namespace {
class CaptureWriter : public core::Log::Writer {
public:
    explicit CaptureWriter(std::vector<std::string>* lines) : _lines(lines) {}
    void Write(const std::string& text) override { _lines->push_back(text); }
    void Write(const char* text) override { _lines->push_back(text); }

private:
    std::vector<std::string>* _lines;
};
}  // namespace

CaptureLog::CaptureLog() : _lines(new std::vector<std::string>) {
    core::Log::instance()->SetWriter(new CaptureWriter(_lines));
}

CaptureLog::~CaptureLog() {
    core::Log::instance()->SetWriter(nullptr);
    delete _lines;
}

bool CaptureLog::Contains(const std::string& text) const {
    for (const auto& line : *_lines)
        if (line.find(text) != std::string::npos) return true;
    return false;
}

}  // namespace test
