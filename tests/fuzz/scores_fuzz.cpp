// Score tables as a fuzzer makes them: loading neither crashes nor hangs, gives rows best first without
// a score of 0, and a saved table reads back as its first ten rows.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>

#include "support/fuzz_files.h"
#include "vantle/game/scores.h"

namespace {

const unsigned int kRowsKeptOnLoad = 10;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string path = fuzz::Folder() + "/table.sc";
    fuzz::WriteFile(path, data, size);
    game::Scores table;
    table.Load(path);
    test::FuzzCheck(table.GetLast() == -1, "loading adds no latest row");
    for (unsigned int i = 0; i < table.GetCount(); ++i) {
        test::FuzzCheck(table.Get(i)->score > 0, "no score of 0");
        test::FuzzCheck(i == 0 || table.Get(i - 1)->score >= table.Get(i)->score, "best first");
    }

    const std::string saved = fuzz::Folder() + "/saved.sc";
    table.Save(saved);
    game::Scores again;
    again.Load(saved);
    test::FuzzCheck(again.GetCount() == std::min(table.GetCount(), kRowsKeptOnLoad),
                    "the first ten rows read back");
    for (unsigned int i = 0; i < again.GetCount(); ++i) {
        const core::ptr<game::Scores::Entry> before = table.Get(i), after = again.Get(i);
        test::FuzzCheck(
            after->name == before->name && after->score == before->score && after->time == before->time,
            "rows read back unchanged");
    }
    return 0;
}
