#!/usr/bin/env python3
"""tobu-server end to end, against one database URL: every route, the proof of records
(genuine ones accepted, forged ones refused), names, and the limits. With --load, two
servers share the database and take concurrent genuine submissions from tobu-server-load.

  server_test.py BUILD_DIR DATABASE_URL [--load]
"""
import atexit
import json
import os
import socket
import struct
import subprocess
import sys
import tempfile
import threading
import time
import urllib.error
import urllib.request
import zlib

ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
LEVELS = os.path.join(ROOT, "Levels")
REPLAYS = os.path.join(ROOT, "tests", "replays")
failures = []
running = []  # servers still up; stopped at exit, whatever happened


@atexit.register
def stop_running():
    for process in running:
        if process.poll() is None:
            process.kill()
            process.wait()


def check(condition, what):
    if not condition:
        failures.append(what)
        print("FAIL:", what)


def token(n):
    return "%064x" % (n + 0xA11CE)


class Server:
    """One tobu-server on a free port of 127.0.0.1, its log in a temporary file."""

    def __init__(self, build, database, *flags):
        with socket.socket() as probe:
            probe.bind(("127.0.0.1", 0))
            self.port = probe.getsockname()[1]
        self.log = tempfile.TemporaryFile()
        self.process = subprocess.Popen(
            [os.path.join(build, "server", "tobu-server"), "--listen", "127.0.0.1:%d" % self.port,
             "--database", database, *flags], stderr=self.log)
        running.append(self.process)
        for _ in range(300):
            try:
                socket.create_connection(("127.0.0.1", self.port), timeout=1).close()
                return
            except OSError:
                time.sleep(0.05)
        raise RuntimeError("tobu-server did not start")

    def request(self, method, path, body=None, bearer=None):
        headers = {"Content-Type": "application/octet-stream"}
        if bearer:
            headers["Authorization"] = "Bearer " + bearer
        request = urllib.request.Request("http://127.0.0.1:%d%s" % (self.port, path), data=body,
                                         method=method, headers=headers)
        try:
            with urllib.request.urlopen(request, timeout=60) as answer:
                return answer.status, answer.headers, answer.read()
        except urllib.error.HTTPError as error:
            return error.code, error.headers, error.read()

    def json(self, path):
        status, _, body = self.request("GET", path)
        check(status == 200, "GET %s answers 200, not %d" % (path, status))
        return json.loads(body)

    def stop(self):
        self.process.terminate()
        self.process.wait(timeout=30)
        self.log.seek(0)
        return self.log.read().decode(errors="replace")


# Replay files: parsed and written as the game does (docs/replay-format.md).
def parse_replay(data):
    at = 5
    name = data[at + 1:at + 1 + data[at]]
    at += 1 + data[at]
    crc, = struct.unpack_from("<I", data, at)
    at += 4
    player = data[at + 1:at + 1 + data[at]]
    at += 1 + data[at]
    finish, ticks, count = struct.unpack_from("<iII", data, at)
    events = data[at + 12:-4]
    return dict(name=name, crc=crc, player=player, time=finish, ticks=ticks, count=count, events=events)


def write_replay(r):
    body = (b"TBRP\x01" + bytes([len(r["name"])]) + r["name"] + struct.pack("<I", r["crc"]) +
            bytes([len(r["player"])]) + r["player"] + struct.pack("<iII", r["time"], r["ticks"], r["count"]) +
            r["events"])
    return body + struct.pack("<I", zlib.crc32(body))


def level_part(data):
    count, = struct.unpack_from("<i", data, 10201)
    return data[:10201 + 4 + 9 * count + 8]


def read(folder, name):
    with open(os.path.join(folder, name), "rb") as f:
        return f.read()


def shipped():
    """(level file, its bytes, its replay's bytes) for every committed replay."""
    names = sorted(n[:-4] for n in os.listdir(REPLAYS) if n.endswith(".tbr"))
    return [(n + ".vel", read(LEVELS, n + ".vel"), read(REPLAYS, n + ".tbr")) for n in names]


def upload_levels(server, levels):
    ids = {}
    for name, data, _ in levels:
        status, _, body = server.request("POST", "/api/levels?name=%s&author=maker" % name[3:-4][:20], data, token(0))
        check(status == 201, "upload of %s answers 201, not %d %s" % (name, status, body))
        ids[name] = json.loads(body)["id"]
    return ids


def test_levels(server, levels, ids):
    name, data, _ = levels[0]
    level_id = ids[name]
    check(level_id == "%08x" % zlib.crc32(level_part(data)), "a level's id is the CRC of its grid, objects and start")
    status, _, body = server.request("POST", "/api/levels?name=again", data, token(0))
    check((status, json.loads(body)) == (200, {"id": level_id}), "the same level again answers 200 and its id")
    listed = server.json("/api/levels")
    check(len(listed) == len(levels), "the list holds every level")
    check(set(listed[0]) == {"id", "name", "author", "uploaded", "plays", "record"}, "a listed level's fields")
    check(len(server.json("/api/levels?author=maker")) == len(levels) and not server.json("/api/levels?author=x"),
          "the list by author")
    status, _, body = server.request("GET", "/api/levels/" + level_id)
    check(status == 200 and body == level_part(data), "the download is the level without its best times")
    status, headers, body = server.request("GET", "/api/levels/%s/picture" % level_id)
    check(status == 200 and body[:8] == b"\x89PNG\r\n\x1a\n" and struct.unpack(">II", body[16:24]) == (505, 392)
          and headers["Content-Type"] == "image/png", "the picture is a 505 x 392 PNG")


def test_records(server, levels, ids):
    for name, _, replay in levels:
        r = parse_replay(replay)
        status, _, body = server.request("POST", "/api/records", replay, token(1))
        answer = json.loads(body)
        check(status == 201 and answer["time"] == r["time"] and answer["rank"] == 1 and answer["level"] == ids[name],
              "the committed replay of %s is proven: %d %s" % (name, status, body))
    name, _, replay = levels[3]
    player = parse_replay(replay)["player"].decode()
    board = server.json("/api/levels/%s/records?player=%s" % (ids[name], player))
    check(board["records"][0]["player"] == player and board["player"]["rank"] == 1, "the board and the player's rank")
    status, _, body = server.request("GET", "/api/records/%s/%s" % (ids[name], player))
    check(status == 200 and body == replay, "the record's replay downloads as it was sent")
    check(server.json("/api/levels?order=plays")[0]["plays"] == 1, "a proven record counts one play")


def forgeries(levels, ids):
    """(what, bytes, expected status): each replay claims what its keys do not prove."""
    r = parse_replay(levels[4][2])
    other = parse_replay(levels[5][2])
    events = bytearray(r["events"])
    keys = [i for i in range(len(events)) if events[i] in (37, 39) and i + 1 < len(events) and events[i + 1] in (0, 1)]
    events[keys[0]] = 37 if events[keys[0]] == 39 else 39
    return [
        ("a lower claimed time", write_replay(dict(r, time=r["time"] - 1)), 422),
        ("a higher claimed time", write_replay(dict(r, time=r["time"] + 1)), 422),
        ("one tick fewer", write_replay(dict(r, ticks=r["ticks"] - 1)), 422),
        ("a changed key", write_replay(dict(r, events=bytes(events))), 422),
        ("the replay of another level", write_replay(dict(other, crc=r["crc"], name=r["name"])), 422),
        ("a truncated file", levels[4][2][:-9], 422),
        ("a file CRC that does not match", levels[4][2][:-1] + bytes([levels[4][2][-1] ^ 1]), 422),
        ("a level CRC no level has", write_replay(dict(r, crc=r["crc"] ^ 0x5A5A)), 404),
        ("no player name", write_replay(dict(r, player=b"")), 422),
    ]


def test_forgeries(server, levels, ids):
    for what, data, expected in forgeries(levels, ids):
        status, headers, body = server.request("POST", "/api/records", data, token(1))
        check(status == expected and "error" in json.loads(body) and headers["Content-Type"] == "application/json",
              "%s answers %d with a JSON error, not %d %s" % (what, expected, status, body))


def test_refusals(server, levels):
    name, data, replay = levels[2]
    cases = [
        ("a name another identity took", "/api/records", replay, token(2), 403),
        ("an author another identity took", "/api/levels?name=x&author=maker", data, token(2), 403),
        ("no token", "/api/records", replay, None, 401),
        ("a short token", "/api/records", replay, "ab" * 31, 401),
        ("a damaged level", "/api/levels?name=x", data[:-3], token(0), 422),
        ("a level name with a full stop", "/api/levels?name=a.vel", data, token(0), 400),
        ("a level larger than any level", "/api/levels?name=x", data + bytes(100000), token(0), 413),
        ("a replay of more than 1 MiB", "/api/records", replay + bytes(1 << 20), token(1), 413),
        ("a body past every cap", "/api/records", bytes(3 << 20), token(1), 413),
    ]
    for what, path, body, bearer, expected in cases:
        status, headers, answer = server.request("POST", path, body, bearer)
        check(status == expected and "error" in json.loads(answer), "%s answers %d, not %d %s" % (what, expected, status, answer))
    for path in ["/api/levels/00000000", "/api/levels/xyz", "/api/records/00000000/Ann", "/nothing"]:
        status, _, answer = server.request("GET", path)
        check(status == 404 and "error" in json.loads(answer), "GET %s answers 404 with a JSON error" % path)


def test_rate_limit(build, database, levels):
    server = Server(build, database, "--write-burst", "3", "--writes-per-minute", "1")
    statuses = [server.request("POST", "/api/levels?name=x", levels[0][1], token(9 + i))[0] for i in range(5)]
    status, headers, _ = server.request("POST", "/api/levels?name=x", levels[0][1], token(20))
    check(statuses[:3] == [200, 200, 200] and statuses[3:] == [429, 429] and status == 429 and
          int(headers["Retry-After"]) > 0, "uploads past the burst answer 429 with Retry-After: %s" % statuses)
    server.stop()


def test_busy_verifiers(build, database, levels):
    """One verifier and no queue: of many submissions at once, some are turned away."""
    server = Server(build, database, "--verifiers", "1", "--verify-queue", "0", "--threads", "16")
    longest = max(levels, key=lambda level: parse_replay(level[2])["ticks"])
    r = parse_replay(longest[2])
    for attempt in range(5):
        statuses = []
        def submit(i):
            data = write_replay(dict(r, player=b"busy%d-%d" % (attempt, i)))
            statuses.append(server.request("POST", "/api/records", data, token(100 + i)))
        threads = [threading.Thread(target=submit, args=(i,)) for i in range(16)]
        for thread in threads:
            thread.start()
        for thread in threads:
            thread.join()
        if any(status == 503 for status, _, _ in statuses):
            break
    busy = [(headers, body) for status, headers, body in statuses if status == 503]
    check(busy and all(h["Retry-After"] == "1" and "error" in json.loads(b) for h, b in busy),
          "a full verification pool answers 503 with Retry-After")
    check(all(status in (201, 503) for status, _, _ in statuses), "the others are proven")
    server.stop()


def test_load(build, database, levels):
    """Two servers on one database, 1,000 genuine records at once: each counted once."""
    flags = ["--writes-per-minute", "100000", "--write-burst", "100000", "--verify-queue", "1000", "--threads", "16"]
    servers = [Server(build, database, *flags) for _ in range(2)]
    ids = upload_levels(servers[0], levels)
    # Both servers render every board empty first: a board kept past a submission that
    # reached the other server would come out short below.
    for server in servers:
        for level_id in ids.values():
            check(server.json("/api/levels/%s/records" % level_id)["records"] == [], "a new level's board is empty")
    count = 1000
    load = subprocess.run([os.path.join(build, "server", "tobu-server-load"), str(count), str(count), "280",
                           ",".join(str(s.port) for s in servers)] + [os.path.join(REPLAYS, n[:-4] + ".tbr") for n, _, _ in levels],
                          capture_output=True, text=True, timeout=320)
    check(load.stdout.split() == ["201", str(count)], "every submission is proven: %s" % load.stdout)
    listed = servers[1].json("/api/levels")
    check(sum(level["plays"] for level in listed) == count, "the plays add up to %d" % count)
    for server in servers:
        boards = [server.json("/api/levels/%s/records" % level["id"])["records"] for level in listed]
        players = [record["player"] for board in boards for record in board]
        check(len(players) == count and len(set(players)) == count, "every record is on a board once")
    for server in servers:
        server.stop()


def main():
    build, database = sys.argv[1], sys.argv[2]
    levels = shipped()
    if "--load" in sys.argv:
        test_load(build, database, levels)
    else:
        server = Server(build, database, "--writes-per-minute", "100000", "--write-burst", "100000")
        ids = upload_levels(server, levels)
        test_levels(server, levels, ids)
        test_records(server, levels, ids)
        test_forgeries(server, levels, ids)
        test_refusals(server, levels)
        log = server.stop()
        check(len(log.splitlines()) > 90 and " POST /api/records 201 " in log, "one log line per request")
        test_rate_limit(build, database, levels)
        test_busy_verifiers(build, database, levels)
    print("server (%s%s): %d failed" % (database.split(":")[0], ", load" if "--load" in sys.argv else "", len(failures)))
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
