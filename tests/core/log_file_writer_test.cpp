#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "vantle/core/log.h"

namespace {

std::string ReadRaw(const std::string& path) {
    std::string bytes;
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) return bytes;
    for (int c; (c = std::fgetc(file)) != EOF;) bytes += static_cast<char>(c);
    std::fclose(file);
    return bytes;
}

TEST(LogFileWriter, EmptiesTheFileAndWritesEachMessageAsOneFlushedLine) {
    std::string path = std::string(::testing::TempDir()) + "vantle_log_file.txt";
    std::FILE* old = std::fopen(path.c_str(), "wb");
    std::fputs("last run\n", old);
    std::fclose(old);

    core::Log::instance()->SetWriter(new core::Log::FileWriter(path));
    EXPECT_EQ(ReadRaw(path), "");
    core::Log::instance()->Write("Can't load %s", "a.png");
    core::Log::instance()->Write(std::string("100% data"));
    core::Log::instance()->Write("carries its own line end\n");
    // On disk before the writer goes away.
    EXPECT_EQ(ReadRaw(path), "Can't load a.png\n100% data\ncarries its own line end\n\n");
    core::Log::instance()->SetWriter(nullptr);
    std::remove(path.c_str());
}

TEST(LogFileWriter, AFileThatDoesNotOpenSwallowsMessages) {
    std::string path = std::string(::testing::TempDir()) + "no_such_dir/log.txt";
    core::Log::instance()->SetWriter(new core::Log::FileWriter(path));
    core::Log::instance()->Write("lost %d", 1);
    core::Log::instance()->Write(std::string("lost too"));
    core::Log::instance()->SetWriter(nullptr);
    EXPECT_EQ(ReadRaw(path), "");
}

}  // namespace
