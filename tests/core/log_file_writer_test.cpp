#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "support/temp_dir.h"
#include "vantle/core/log.h"

namespace {

TEST(LogFileWriter, EmptiesTheFileAndWritesEachMessageAsOneFlushedLine) {
    test::TempDir dir;
    dir.Write("log.txt", "last run\n");
    const std::string path = dir / "log.txt";

    core::Log::instance()->SetWriter(new core::Log::FileWriter(path));
    EXPECT_EQ(dir.Read("log.txt"), "");
    core::Log::instance()->Write("Can't load %s", "a.png");
    core::Log::instance()->Write(std::string("100% data"));
    core::Log::instance()->Write("carries its own line end\n");
    // On disk before the writer goes away.
    EXPECT_EQ(dir.Read("log.txt"), "Can't load a.png\n100% data\ncarries its own line end\n\n");
    core::Log::instance()->SetWriter(nullptr);
}

TEST(LogFileWriter, AFileThatDoesNotOpenSwallowsMessages) {
    test::TempDir dir;
    const std::string path = dir / "no_such_dir/log.txt";
    core::Log::instance()->SetWriter(new core::Log::FileWriter(path));
    core::Log::instance()->Write("lost %d", 1);
    core::Log::instance()->Write(std::string("lost too"));
    core::Log::instance()->SetWriter(nullptr);
    EXPECT_EQ(dir.Read("no_such_dir/log.txt"), "");
}

}  // namespace
