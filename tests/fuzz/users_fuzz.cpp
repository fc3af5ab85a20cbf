// Players files as a fuzzer makes them: loading neither crashes nor hangs, and the players that loaded
// are saved and read back unchanged.

#include <cstddef>
#include <cstdint>
#include <list>
#include <string>

#include "support/fuzz_files.h"
#include "vantle/game/users.h"

namespace {

struct Players {
    std::list<std::string> names;
    // Each player's options as XML text, in list order.
    std::list<std::string> options;
    bool any_selected = false;
    std::string selected;
};

Players Take(const game::Users& users) {
    Players players;
    players.names = users.GetNames();
    for (const std::string& name : players.names) players.options.push_back(users.GetUser(name)->ToXML());
    const core::ptr<game::User> selected = users.GetSelectedUser();
    players.any_selected = !selected.empty();
    if (selected) players.selected = selected->name;
    return players;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string path = fuzz::Folder() + "/users.dat";
    fuzz::WriteFile(path, data, size);
    game::Users::SetFilename(path);

    Players loaded;
    {
        game::Users users;
        loaded = Take(users);
        test::FuzzCheck(!loaded.any_selected || users.GetUser(loaded.selected) == users.GetSelectedUser(),
                        "the selected player is one of the list");
        // A change, so that what loaded is written out whatever the file said.
        users.Update();
    }
    game::Users reloaded;
    const Players again = Take(reloaded);
    test::FuzzCheck(again.names == loaded.names, "the same players read back");
    test::FuzzCheck(again.options == loaded.options, "the same options read back");
    // A file names the first player when none is selected, and that one is selected when read.
    const bool expect_selected = loaded.any_selected || !loaded.names.empty();
    const std::string expected = loaded.any_selected    ? loaded.selected
                                 : loaded.names.empty() ? std::string()
                                                        : loaded.names.front();
    test::FuzzCheck(again.any_selected == expect_selected && again.selected == expected,
                    "the same selection");
    return 0;
}
