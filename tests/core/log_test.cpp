#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/capture_log.h"
#include "vantle/core/log.h"

namespace {

TEST(Log, WithoutAWriterMessagesAreDropped) {
    test::CaptureLog log;
    core::Log::instance()->Write("kept %d", 1);
    core::Log::instance()->SetWriter(nullptr);
    core::Log::instance()->Write("nobody hears %d", 1);
    core::Log::instance()->Write(std::string("nor this"));
    EXPECT_EQ(log.Lines(), std::vector<std::string>{"kept 1"});
}

TEST(Log, FormatsPrintfStyleAndPassesDataThrough) {
    test::CaptureLog log;
    core::Log::instance()->Write("Can't load %s", "a.png");
    core::Log::instance()->Write(std::string("100% literal %s"));
    ASSERT_EQ(log.Lines().size(), 2u);
    EXPECT_EQ(log.Lines()[0], "Can't load a.png");
    EXPECT_EQ(log.Lines()[1], "100% literal %s");
}

TEST(Log, MessagesArriveWholeUpToTheBufferAndCutBeyond) {
    test::CaptureLog log;
    // "%s" allows 2 + 2047 characters.
    const struct {
        size_t written, arrived;
    } cases[] = {{0, 0},     {1, 1},       {511, 511},   {512, 512},
                 {513, 513}, {1500, 1500}, {2049, 2049}, {5000, 2049}};
    for (const auto& c : cases) core::Log::instance()->Write("%s", std::string(c.written, 'y').c_str());
    ASSERT_EQ(log.Lines().size(), sizeof cases / sizeof cases[0]);
    for (size_t i = 0; i < log.Lines().size(); ++i) {
        EXPECT_EQ(log.Lines()[i], std::string(cases[i].arrived, 'y')) << cases[i].written;
    }
}

TEST(Mutex, TryLockOnAFreeMutexHoldsIt) {
    threading::Mutex mutex;
    EXPECT_TRUE(mutex.TryLock());
    mutex.Unlock();
}

}  // namespace
