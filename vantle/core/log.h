#pragma once

#include <atomic>
#include <memory>
#include <string>

#include "vantle/core/singleton.h"
#include "vantle/threading/mutex.h"

namespace io {
class File;
}

namespace core {

// The process's one log: printf-style messages handed to one exchangeable writer. Until a writer is
// installed, messages are dropped.
class Log : public Singleton<Log> {
public:
    class Writer {
    public:
        virtual ~Writer() = default;
        virtual void Write(const std::string& text) = 0;
        virtual void Write(const char* text) = 0;
    };

    // Standard output, one line end and a flush per message.
    class ConsoleWriter : public Writer {
    public:
        void Write(const std::string& text) override;
        void Write(const char* text) override;
    };

    // A file created or emptied on construction; every message ends with one "\n" and is flushed.
    class FileWriter : public Writer {
    public:
        explicit FileWriter(const std::string& file_name);
        ~FileWriter() override;
        FileWriter(const FileWriter&) = delete;
        FileWriter& operator=(const FileWriter&) = delete;
        void Write(const std::string& text) override;
        void Write(const char* text) override;

    private:
        std::unique_ptr<io::File> _file;
    };

    Log();
    ~Log();

    // Takes ownership of the writer and deletes the previous one; null switches logging off.
    void SetWriter(Writer* writer);

    // Hands the text unchanged to the writer: the way to log data that is not a format.
    void Write(const std::string& text);
    // printf-style; the result is cut to strlen(format) + 2047 characters.
    void Write(const char* format, ...) __attribute__((format(printf, 2, 3)));

private:
    threading::Mutex _mutex;
    std::unique_ptr<Writer> _writer;
    // Whether a writer is installed, readable without the lock so that a message nobody reads costs
    // next to nothing; the writer itself is only used under the lock.
    std::atomic<bool> _has_writer{false};
};

}  // namespace core
