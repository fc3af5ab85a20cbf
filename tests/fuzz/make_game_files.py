#!/usr/bin/env python3
"""Writes the seed corpora of the players-file and score-table fuzz targets, and the reproducers of the
faults they found. Run from anywhere; the files land beside this script."""

from make_corpus import text_record, word, write


def text(value):
    return text_record(value.encode("utf-8"))


def player(name, options=()):
    record = text(name) + word(len(options))
    for key, value in sorted(options):
        record += text(key) + text(value)
    return record


def players_file(generation, players, selected):
    data = word(generation) + word(len(players))
    for name, options in players:
        data += player(name, options)
    if players:
        data += text(selected)
    return data


def score_table(rows):
    data = word(len(rows))
    for name, score, time in rows:
        data += text(name) + word(score) + word(time)
    return data


def main():
    write("corpus", "users", "one_player.bin", players_file(3, [("ann", [("tokens", "5")])], "ann"))
    write("corpus", "users", "no_players.bin", players_file(4, [], ""))
    write("corpus", "users", "three_players.bin", players_file(12, [
        ("ann", [("tokens", "120"), ("powerups", "remove_row:2;recolor:1"), ("max_level", "7")]),
        ("Bob", []),
        ("c\u00e9line", [("last_level", "3"), ("music", "true")]),
    ], "Bob"))
    write("corpus", "users", "unknown_selection.bin", players_file(1, [("ann", []), ("bob", [])], "cid"))
    write("repro", "users", "generation_at_limit.bin", players_file(0xFFFFFFFF, [("ann", [])], "ann"))

    best_first = [("p%d" % i, 120 - 10 * i, 1700000000 + i) for i in range(12)]
    write("corpus", "scores", "best_first.bin", score_table(best_first))
    write("corpus", "scores", "worst_first.bin", score_table(list(reversed(best_first))))
    write("corpus", "scores", "zero_score_and_time.bin",
          score_table([("none", 0, 5), ("now", 40, 0), ("same", 40, 9)]))
    write("corpus", "scores", "empty.bin", score_table([]))


if __name__ == "__main__":
    main()
