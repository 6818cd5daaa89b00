#!/usr/bin/env python3
"""The game's online side end to end: `tobu --submit` and `tobu --fetch-level` against a
real tobu-server on a new SQLite file, a closed port, and no network at all without
`server` in tobu.ini (strace sees every socket the game makes).

  game_client_test.py BUILD_DIR
"""
import os
import re
import shutil
import socket
import subprocess
import sys
import tempfile

from server_test import LEVELS, REPLAYS, Server, check, failures, level_part, read, token

ENV = dict(os.environ, ASAN_OPTIONS="detect_leaks=0", SDL_VIDEODRIVER="dummy", SDL_AUDIODRIVER="dummy")


def folder(root, name, server):
    """A data folder with its tobu.ini naming `server` (none when empty)."""
    path = os.path.join(root, name)
    os.makedirs(os.path.join(path, "Levels"))
    if server:
        with open(os.path.join(path, "tobu.ini"), "w") as ini:
            ini.write("[tobu]\nserver = %s\n" % server)
    return path


def tobu(build, data, *arguments, strace=None):
    command = [os.path.join(build, "tobu"), "--data", data, *arguments]
    if strace:
        command = ["timeout", "4", "strace", "-f", "-qq", "-e", "trace=socket", "-o", strace] + command
    done = subprocess.run(command, capture_output=True, text=True, env=ENV, timeout=60)
    return done.returncode, done.stdout + done.stderr


def internet_sockets(log):
    with open(log) as f:
        return re.findall(r"socket\(AF_INET6?,", f.read())


def main():
    build = sys.argv[1]
    work = tempfile.mkdtemp(prefix="tobu-client-test.")
    try:
        server = Server(os.path.join(build), "sqlite:" + os.path.join(work, "tobu.sqlite"))
        level = read(LEVELS, "01-first-steps.vel")
        status, _, body = server.request("POST", "/api/levels?name=first-steps", level, token(0))
        level_id = body.decode().split('"')[3]
        url = "http://127.0.0.1:%d" % server.port
        with socket.socket() as probe:
            probe.bind(("127.0.0.1", 0))
            closed = "http://127.0.0.1:%d" % probe.getsockname()[1]
        mine, other, down = folder(work, "mine", url), folder(work, "other", url), folder(work, "down", closed)
        damaged = os.path.join(work, "damaged.tbr")
        with open(damaged, "wb") as f:
            f.write(read(REPLAYS, "01-first-steps.tbr")[:-9])
        replay = lambda n: os.path.join(REPLAYS, n + ".tbr")
        cases = [  # what, folder, arguments, exit status, said
            ("a genuine record", mine, ["--submit", replay("01-first-steps")], 0,
             "Proven: Ann 00:06:33 on level %s; best 00:06:33, rank 1" % level_id),
            ("a record of a level not on the server", mine, ["--submit", replay("02-ledge-food")], 1,
             "is not on this server"),
            ("a damaged replay, refused before it is sent", mine, ["--submit", damaged], 1, "is damaged"),
            ("the name, from another device", other, ["--submit", replay("01-first-steps")], 1, "Ann"),
            ("a level", mine, ["--fetch-level", level_id], 0, "Fetched Levels/first-steps.vel"),
            ("the level again", mine, ["--fetch-level", level_id], 1, "Levels/first-steps.vel is there already"),
            ("an id that is no id", mine, ["--fetch-level", "../../x"], 1, "A level id is 8 hex digits"),
            ("a record, server down", down, ["--submit", replay("01-first-steps")], 1, "The server cannot be reached"),
            ("a level, server down", down, ["--fetch-level", level_id], 1, "The server cannot be reached"),
        ]
        for what, data, arguments, expected, said in cases:
            status, output = tobu(build, data, *arguments)
            check(status == expected and said in output, "%s: %d %r" % (what, status, output))
        # The plus level list's one request: the levels with a record first, matched by id (the CRC).
        server.request("POST", "/api/levels?name=mind-the-gap", read(LEVELS, "03-mind-the-gap.vel"), token(0))
        listed = [(level["id"], level["record"]) for level in server.json("/api/levels?order=plays")]
        check(listed[0] == (level_id, {"player": "Ann", "time": 633}) and listed[1][1] is None,
              "the list's world records: %r" % listed)
        with open(os.path.join(mine, "Levels", "first-steps.vel"), "rb") as f:
            check(f.read() == level_part(level), "the fetched level is the server's file")
        with open(os.path.join(mine, "online.token")) as f:
            check(re.fullmatch(r"[0-9a-f]{64}\n", f.read()) is not None, "the token is 32 random bytes in hex")
        check(os.stat(os.path.join(mine, "online.token")).st_mode & 0o077 == 0, "only its owner reads the token")

        # Without a server the game makes no internet socket; the same check sees --submit's.
        offline = folder(work, "offline", "")
        tobu(build, offline, "--window", strace=os.path.join(work, "offline.log"))
        check(internet_sockets(os.path.join(work, "offline.log")) == [], "no internet socket without a server")
        tobu(build, mine, "--submit", replay("01-first-steps"), strace=os.path.join(work, "submit.log"))
        check(internet_sockets(os.path.join(work, "submit.log")) != [], "strace sees the client's socket")
        server.stop()
    finally:
        shutil.rmtree(work)
    print("game client: %d failed" % len(failures))
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
