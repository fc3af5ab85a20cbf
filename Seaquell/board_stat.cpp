#include <string>

#include "Seaquell/board.h"
#include "Seaquell/board_helpers.h"
#include "vantle/core/log.h"
#include "vantle/core/strutils.h"
#include "vantle/game/users.h"
#include "vantle/io/file.h"
#include "vantle/platform/platform.h"

namespace cm {

namespace {

const char* const kHeader = "username;level_id;level_uid;level_revision;score;play_time;win\r\n";

}  // namespace

void Board::SaveStat() {
    // A line without a level would say nothing about what was played.
    if (!level) {
        core::Log::instance()->Write("Board::SaveStat: no level, no line");
        return;
    }
    const core::ptr<game::User> user = game::Users::instance()->GetSelectedUser();
    const unsigned int now = helpers::Now();
    const std::string path =
        platform::Platform::instance()->GetDir(platform::IPlatform::USER_DIR, "Moravane") +
        "/playing_stat.csv";
    io::File file(path, io::File::kAppend);
    if (!file.IsOpened()) return;
    if (file.Size() == 0) file.Write(kHeader, std::char_traits<char>::length(kHeader));

    // Taken now, not from the clock frozen at the end of the level.
    const unsigned int elapsed = now - start_time;
    const unsigned int played = elapsed > paused_time ? elapsed - paused_time : 0;
    // The line is written in the frame that ends the level, while the bonus is still counted up.
    const unsigned int unpaid = won && bonus_paid < time_bonus ? time_bonus - bonus_paid : 0;
    const std::string fields[] = {user ? user->name : std::string(),
                                  core::unsigned2str(level->id),
                                  core::unsigned2str(level->uid),
                                  core::unsigned2str(level->revision),
                                  core::unsigned2str(score + unpaid),
                                  core::unsigned2str(played),
                                  core::bool2str(won)};
    std::string line;
    for (const std::string& field : fields) line += field + ";";
    line += "\r\n";
    file.Write(line.data(), line.size());
}

}  // namespace cm
