#pragma once

#include <gtest/gtest.h>

#include "support/recording_render.h"
#include "support/temp_dir.h"

namespace test {

// A fixture for code that loads textures by file name: the recording renderer is installed in the
// renderer facade and the temporary folder is the loader's only source, so a name the texture cache is
// asked for loads the file the test wrote there onto the renderer's memory pages. Afterwards the
// texture cache is emptied and the renderer taken out again.
class TextureFilesTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    TempDir dir;
    RecordingRender renderer;
};

}  // namespace test
