#include <gtest/gtest.h>

#include <string>

#include "io/pak_bytes.h"
#include "support/capture_log.h"
#include "support/temp_dir.h"
#include "vantle/io/loader.h"
#include "vantle/io/pak_src.h"
#include "vantle/utils/config.h"

namespace {

// The application's order: the settings singleton on an empty file name, the defaults from the working
// directory, the user's file, then once more after the archive joins the loader.
TEST(ConfigStartupTest, UserSettingsWinOverDefaultsFromTheArchive) {
    test::TempDir dir;
    test::WorkingDirectory cwd(dir.Path());
    dir.Write("data.pak",
              test::OneEntryArchive("data/defaults.cfg", "sfx_volume = 1\r\nlanguage = en\r\nlod = 2\r\n"));
    dir.Write("user/config.cfg", "sfx_volume = 0.5\r\n");

    test::CaptureLog log;
    utils::Config* config = utils::Config::instance();
    EXPECT_TRUE(log.Contains("Empty filename was given!"));
    config->LoadDefaults("data/defaults.cfg");
    utils::Config::SetFilename(dir / "user/config.cfg");
    config->Reload();
    EXPECT_EQ(config->Get("language").get_type(), core::Value::UNSET);
    EXPECT_EQ(config->Get("sfx_volume").as_string(), "0.5");

    io::Loader::instance()->AddSource(core::ptr<io::Loader::Source>(new io::PakFileSource("data.pak")));
    config->LoadDefaults("data/defaults.cfg");
    utils::Config::SetFilename(dir / "user/config.cfg");
    config->Reload();
    EXPECT_EQ(config->Get("sfx_volume").as_string(), "0.5");
    EXPECT_EQ(config->Get("language").as_string(), "en");
    EXPECT_EQ(config->Get("lod").as_uint32(), 2u);

    config->Set("lod", core::Value(3));
    EXPECT_EQ(dir.Read("user/config.cfg"), "lod = 3\r\nsfx_volume = 0.5\r\n");
    config->Set("sfx_volume", core::Value("1"));
    EXPECT_EQ(dir.Read("user/config.cfg"), "lod = 3\r\n");

    utils::Config::destroy();
    EXPECT_EQ(dir.Read("user/config.cfg"), "lod = 3\r\n");
    utils::Config::SetFilename("");
}

}  // namespace
