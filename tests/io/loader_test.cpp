#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "io/pak_bytes.h"
#include "support/capture_log.h"
#include "support/read_whole.h"
#include "support/temp_dir.h"
#include "vantle/io/loader.h"
#include "vantle/io/pak_src.h"

namespace {

// A working directory with a localised folder "loc/" and the archive "data.pak", arranged as at start-up.
class LoaderTest : public ::testing::Test {
protected:
    LoaderTest() : _cwd(dir.Path()) {}

    void ArrangeSources(const std::string& prefix) {
        io::Loader* loader = io::Loader::instance();
        loader->ClearSources();
        loader->AddSource(core::ptr<io::Loader::Source>(new io::FileSystemSource(prefix)));
        loader->AddSource(core::ptr<io::Loader::Source>(new io::FileSystemSource()));
        loader->AddSource(core::ptr<io::Loader::Source>(new io::PakFileSource("data.pak")));
    }

    void TearDown() override {
        io::Loader::instance()->ClearSources();
        io::Loader::instance()->AddSource(core::ptr<io::Loader::Source>(new io::FileSystemSource()));
    }

    test::TempDir dir;

private:
    test::WorkingDirectory _cwd;
};

TEST_F(LoaderTest, AsksTheSourcesInOrder) {
    dir.Write("data.pak", test::OneEntryArchive("data/levels.xml", "archive"));
    ArrangeSources("loc/");
    test::CaptureLog log;
    io::Loader* loader = io::Loader::instance();

    EXPECT_EQ(test::ReadWhole(loader->Load("data/levels.xml")), "archive");
    dir.Write("data/levels.xml", "working");
    EXPECT_EQ(test::ReadWhole(loader->Load("data/levels.xml")), "working");
    dir.Write("loc/data/levels.xml", "localised");
    EXPECT_EQ(test::ReadWhole(loader->Load("data/levels.xml")), "localised");
    EXPECT_FALSE(loader->Load("data/other.xml"));

    EXPECT_EQ(log.Lines(), (std::vector<std::string>{"LOAD: data/levels.xml", "LOAD: data/levels.xml",
                                                     "LOAD: data/levels.xml", "LOAD: data/other.xml"}));
}

TEST_F(LoaderTest, StartsWithTheWorkingDirectoryAlone) {
    dir.Write("a.txt", "here");
    EXPECT_EQ(test::ReadWhole(io::Loader::instance()->Load("a.txt")), "here");
    io::Loader::instance()->ClearSources();
    EXPECT_FALSE(io::Loader::instance()->Load("a.txt"));
}

TEST_F(LoaderTest, PrefixIsGluedToTheName) {
    dir.Write("locdata/levels.xml", "glued");
    io::FileSystemSource source("loc");
    EXPECT_EQ(test::ReadWhole(source.Load("data/levels.xml")), "glued");
}

TEST_F(LoaderTest, FoldersAreNotFiles) {
    dir.Write("loc/data/gui/menu.xml", "<gui/>");
    ArrangeSources("loc/");
    for (const char* name : {"", "data", "data/gui", "data/gui/"}) {
        SCOPED_TRACE(name);
        EXPECT_FALSE(io::Loader::instance()->Load(name));
    }
}

TEST_F(LoaderTest, MissingArchiveAnswersNothing) {
    ArrangeSources("loc/");
    EXPECT_FALSE(io::Loader::instance()->Load("data/levels.xml"));
}

TEST_F(LoaderTest, DamagedArchiveDoesNotHideFolderFiles) {
    const std::vector<std::string> damaged = {
        test::Scramble(test::Word(0xFFFFFFFFu)),
        test::Scramble(test::Word(3) + test::Word(0xFFFFFFF0u)),
        test::Scramble(test::Word(1) + test::Record("data/levels.xml", 0, 0xFFFFFFFFu)),
        std::string(1000, '\x6B'),
    };
    for (const std::string& bytes : damaged) {
        dir.Write("data.pak", bytes);
        dir.Write("data/levels.xml", "folder");
        ArrangeSources("loc/");
        EXPECT_EQ(test::ReadWhole(io::Loader::instance()->Load("data/levels.xml")), "folder");
        EXPECT_FALSE(io::Loader::instance()->Load("data/absent.xml"));
    }
}

}  // namespace
