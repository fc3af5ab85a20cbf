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

TEST(Log, LongMessagesAreCutToTheBuffer) {
    test::CaptureLog log;
    std::string huge(5000, 'x');
    core::Log::instance()->Write("%s", huge.c_str());
    ASSERT_EQ(log.Lines().size(), 1u);
    EXPECT_EQ(log.Lines()[0].size(), 2u + 2047u);
}

TEST(Log, MessagesOfAnyLengthUpToTheCutArriveWhole) {
    test::CaptureLog log;
    // "%s" allows 2 + 2047 characters.
    const size_t lengths[] = {0, 1, 511, 512, 513, 1500, 2049};
    for (size_t length : lengths) {
        const std::string text(length, 'y');
        core::Log::instance()->Write("%s", text.c_str());
    }
    ASSERT_EQ(log.Lines().size(), 7u);
    for (size_t i = 0; i < 7; ++i) EXPECT_EQ(log.Lines()[i], std::string(lengths[i], 'y')) << lengths[i];
}

TEST(Mutex, TryLockOnAFreeMutexHoldsIt) {
    threading::Mutex mutex;
    EXPECT_TRUE(mutex.TryLock());
    mutex.Unlock();
}

}  // namespace
