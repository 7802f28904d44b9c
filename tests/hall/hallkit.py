"""What the hall-of-fame tests share: a tarnhall started on a free port of 127.0.0.1, a small
HTTP client, a throwaway PostgreSQL cluster, and the replays to submit.

Replays come from one of two sources. While the game cannot verify (`tarngame --help` does not
list --verify) they are made here and checked by a stand-in verifier that keeps the verifier's
contract: its truth is a sum over the input lines, so a raised score or a cut input is refused
like the game would refuse it. Once the game can verify, the replays are games the game itself
played (the bot, headless) and the verifier is the game."""
import glob
import http.client
import json
import os
import pathlib
import random
import re
import shutil
import signal
import subprocess
import sys
import tempfile
import threading
import time

HERE = pathlib.Path(__file__).resolve().parent


# ---- the server -------------------------------------------------------------------------------


class Hall:
    """One tarnhall process; `log` collects its standard error."""

    def __init__(self, binary, data, game, site=None, db=None, extra=(), listen="127.0.0.1:0"):
        self.args = [binary, "--listen", listen, "--data", str(data), "--game", str(game)]
        if site:
            self.args += ["--site", str(site)]
        if db:
            self.args += ["--db", db]
        self.args += list(extra)
        self.log = []
        self.proc = subprocess.Popen(self.args, stderr=subprocess.PIPE, text=True)
        self.port = None
        deadline = time.time() + 20
        while time.time() < deadline:
            line = self.proc.stderr.readline()
            if not line:
                break
            self.log.append(line)
            found = re.search(r"listening on http://[^:]+:(\d+)/", line)
            if found:
                self.port = int(found.group(1))
                break
        if self.port is None:
            self.proc.kill()
            raise RuntimeError("tarnhall did not start:\n" + "".join(self.log))
        self._drain = threading.Thread(target=self._read_log, daemon=True)
        self._drain.start()

    def _read_log(self):
        for line in self.proc.stderr:
            self.log.append(line)

    def request(self, method, path, body=None, headers=None, timeout=60):
        """(status, headers dict with lowercase keys, body bytes)."""
        conn = http.client.HTTPConnection("127.0.0.1", self.port, timeout=timeout)
        try:
            if isinstance(body, str):
                body = body.encode()
            conn.request(method, path, body=body, headers=headers or {})
            response = conn.getresponse()
            data = response.read()
            return response.status, {k.lower(): v for k, v in response.getheaders()}, data
        finally:
            conn.close()

    def get_json(self, path):
        status, _, data = self.request("GET", path)
        return status, json.loads(data) if data else None

    def submit(self, replay, headers=None):
        status, head, data = self.request("POST", "/api/scores", replay, headers)
        try:
            answer = json.loads(data)
        except ValueError:
            answer = None
        return status, answer, head

    def stop(self, sig=signal.SIGTERM, timeout=30):
        if self.proc.poll() is None:
            self.proc.send_signal(sig)
        try:
            code = self.proc.wait(timeout)
        except subprocess.TimeoutExpired:
            self.proc.kill()
            code = self.proc.wait()
        self._drain.join(5)
        return code


# ---- PostgreSQL -------------------------------------------------------------------------------


class PostgresCluster:
    """A throwaway cluster on a Unix socket in a temporary folder. initdb and pg_ctl refuse to run
    as root, so as root they run as the postgres user."""

    def __init__(self):
        bins = sorted(glob.glob("/usr/lib/postgresql/*/bin/initdb"))
        if not bins:
            raise unittest_skip("PostgreSQL's server is not installed")
        self.bin = pathlib.Path(bins[-1]).parent
        self.dir = pathlib.Path(tempfile.mkdtemp(prefix="tarnhall-pg-"))
        self.as_user = []
        if os.geteuid() == 0:
            shutil.chown(self.dir, "postgres", "postgres")
            self.as_user = ["runuser", "-u", "postgres", "--"]
        data = self.dir / "data"
        self._run("initdb", "-D", str(data), "-A", "trust", "-U", "postgres", "--no-sync")
        self._run(
            "pg_ctl",
            "-D",
            str(data),
            "-l",
            str(self.dir / "log"),
            "-w",
            "-o",
            f"-k {self.dir} -c listen_addresses='' -c max_connections=100",
            "start",
        )
        self.url = f"postgresql:///postgres?host={self.dir}&user=postgres"

    def _run(self, tool, *args):
        subprocess.run(
            self.as_user + [str(self.bin / tool), *args],
            check=True,
            stdout=subprocess.DEVNULL,
            stderr=subprocess.PIPE,
        )

    def close(self):
        try:
            self._run("pg_ctl", "-D", str(self.dir / "data"), "-m", "immediate", "-w", "stop")
        finally:
            shutil.rmtree(self.dir, ignore_errors=True)


def unittest_skip(reason):
    import unittest

    return unittest.SkipTest(reason)


# ---- replays ----------------------------------------------------------------------------------


def result_of(replay):
    """The #result line's numbers."""
    found = re.search(
        r"^#result score=(\d+) rounds=(\d+) last=(\d+) frames=(\d+)\s*$", replay, re.M
    )
    return dict(zip(("score", "rounds", "last", "frames"), map(int, found.groups())))


def board_of(replay):
    return re.search(r"^#board (\S+)", replay, re.M).group(1)


def with_name(replay, name):
    """The replay with its #name line set (None: removed), as the page writes it."""
    lines = [l for l in replay.split("\n") if not l.startswith("#name")]
    if name is not None:
        lines.insert(1, "#name " + name)
    return "\n".join(lines)


def score_raised(replay):
    r = result_of(replay)
    return re.sub(r"^#result score=\d+", f"#result score={r['score'] + 1}", replay, flags=re.M)


def input_cut(replay):
    """Half the input lines gone, the claimed result kept."""
    lines = replay.split("\n")
    inputs = [i for i, l in enumerate(lines) if l and not l.startswith("#")]
    drop = set(inputs[len(inputs) // 2 :])
    return "\n".join(l for i, l in enumerate(lines) if i not in drop)


def game_supports_verify(game):
    try:
        help_text = subprocess.run([game, "--help"], capture_output=True, text=True, timeout=20)
    except (OSError, subprocess.TimeoutExpired):
        return False
    return "--verify" in help_text.stdout + help_text.stderr


STAND_IN_VERIFIER = r"""#!/usr/bin/env python3
# A stand-in for `tarngame --verify FILE` with its contract: one JSON line; exit 0 valid,
# 1 invalid. Its "replay" of the game: score = 10 per launch plus each launch's frame mod 7,
# a round cleared every 4 launches, the game lasts 20 frames past its last input.
import json, re, sys
def verdict(valid, reason=None, **fields):
    out = dict(valid=valid, **fields)
    if reason: out["reason"] = reason
    print(json.dumps(out)); sys.exit(0 if valid else 1)
text = open(sys.argv[2], "rb").read().decode("ascii", "replace")
lines = text.split("\n")
if not lines[0].startswith("#tarngame-replay 1"): verdict(False, "not a tarngame replay")
head = {m.group(1): m.group(2) for m in (re.match(r"#(\w+) ?(.*)", l) for l in lines) if m}
rules = int(head.get("rules", "0") or 0)
fields = dict(mode=head.get("mode", ""), board=head.get("board", ""), name=head.get("name", ""),
              rulesVersion=rules, score=0, roundsCleared=0, lastRound=0, frames=0)
if rules != 1: verdict(False, f"rules version {rules} is not played here", **fields)
claimed = re.search(r"^#result score=(\d+) rounds=(\d+) last=(\d+) frames=(\d+)", text, re.M)
if not claimed: verdict(False, "the file is cut", **fields)
launches = [int(l.split()[0]) for l in lines if re.match(r"\d+ keydown 193$", l)]
frames = [int(l.split()[0]) for l in lines if re.match(r"\d+ ", l)]
score = sum(10 + f % 7 for f in launches)
rounds = len(launches) // 4
start = int(head.get("start", "1"))
fields.update(score=score, roundsCleared=rounds, lastRound=start + rounds,
              frames=(max(frames) + 20) if frames else 20)
truth = (score, rounds, start + rounds, fields["frames"])
if tuple(map(int, claimed.groups())) != truth:
    verdict(False, "the input does not reach the result it claims", **fields)
verdict(True, **fields)
"""


class StandInReplays:
    """Replays made here, checked by the stand-in verifier."""

    real = False

    def __init__(self, workdir):
        self.game = pathlib.Path(workdir) / "stand-in-verify"
        self.game.write_text(STAND_IN_VERIFIER)
        self.game.chmod(0o755)
        self._draws = 0

    def make(self, launches, board="push", name="ANN", start=1, mode=None, date=None, rules=1):
        """A replay whose true score grows with `launches`; each call is a different game."""
        self._draws += 1
        mode = mode or (
            "daily"
            if board.startswith("daily-")
            else "rounds"
            if board.startswith("rounds")
            else "push"
        )
        head = [
            "#tarngame-replay 1",
            f"#rules {rules}",
            f"#mode {mode}",
            f"#board {board}",
            f"#draws {self._draws}",
            f"#start {start}",
            "#progress 1",
        ]
        if date:
            head.append(f"#date {date}")
        if name is not None:
            head.append(f"#name {name}")
        body, frame = [], 3
        for _ in range(launches):
            body += [f"{frame} keydown 193", f"{frame + 2} keyup 193"]
            frame += 11
        score = sum(10 + (3 + 11 * i) % 7 for i in range(launches))
        rounds = launches // 4
        frames = (3 + 11 * (launches - 1) + 2 + 20) if launches else 20
        result = f"#result score={score} rounds={rounds} last={start + rounds} frames={frames}"
        return "\n".join(head + body + [result]) + "\n"

    def games(self, count, board="push"):
        """`count` different valid games with different scores (`board` None: push)."""
        board = board or "push"
        return [self.make(4 + i, board=board, name="P" + chr(65 + i % 26)) for i in range(count)]


class GameReplays:
    """Games the game played itself: the bot, headless, from a fresh save folder, each game's
    replay left in the save folder's replays/, verified by the game. A run from a fresh save
    plays the same games every time, so different games come from different start rounds; and
    the game keeps only so many replays a board, so each run is short. What the runs made is
    kept in `cache` (beside the game binary's build) while the binary is unchanged."""

    real = True
    RUN_FRAMES = 30000

    def __init__(self, workdir, game, cache=None):
        self.game = pathlib.Path(game).resolve()
        self.workdir = pathlib.Path(workdir)
        stamp = int(self.game.stat().st_mtime)
        self.cache = pathlib.Path(cache or self.game.parent / "hall-replays") / str(stamp)
        self._runs = 0

    def _play(self, mode, start_round):
        self._runs += 1
        save = self.workdir / f"save-{self._runs}"
        save.mkdir(parents=True)
        args = [
            str(self.game),
            "--headless",
            "--bot",
            "--save-dir",
            str(save),
            "--frames",
            str(self.RUN_FRAMES),
            "--bot-mode",
            mode,
        ]
        if mode == "rounds":
            args += ["--bot-start-round", str(start_round)]
        subprocess.run(
            args, check=True, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, timeout=300
        )
        replays = [p.read_text() for p in sorted((save / "replays").glob("*")) if p.is_file()]
        shutil.rmtree(save, ignore_errors=True)
        return replays

    def _runs_wanted(self):
        yield "push", 1
        for start in range(1, 49, 3):
            yield "rounds", start

    def _all(self, count):
        """At least `count` different games with a score when the runs make that many."""
        import fcntl

        self.cache.mkdir(parents=True, exist_ok=True)
        with open(self.cache / ".lock", "w") as lock:  # suites running at once share the work
            fcntl.flock(lock, fcntl.LOCK_EX)
            found = {}
            for path in sorted(self.cache.glob("*.replay")):
                replay = path.read_text()
                found[with_name(replay, None)] = replay
            done = (
                (self.cache / ".runs").read_text().split()
                if (self.cache / ".runs").exists()
                else []
            )
            for mode, start in self._runs_wanted():
                if len(found) >= count:
                    break
                if f"{mode}-{start}" in done:
                    continue
                for replay in self._play(mode, start):
                    if result_of(replay)["score"] > 0 and with_name(replay, None) not in found:
                        found[with_name(replay, None)] = replay
                        (self.cache / f"{len(found):04d}.replay").write_text(replay)
                done.append(f"{mode}-{start}")
                (self.cache / ".runs").write_text(" ".join(done))
        return list(found.values())

    def games(self, count, board="push"):
        """Up to `count` different games on `board` (any board when None)."""
        games = [
            g
            for g in self._all(count if board is None else 4 * count)
            if board is None or board_of(g) == board
        ]
        return games[:count]


def replay_source(workdir, game):
    pathlib.Path(workdir).mkdir(parents=True, exist_ok=True)
    if game and game_supports_verify(game):
        return GameReplays(workdir, game)
    return StandInReplays(workdir)


if __name__ == "__main__":
    # For the browser suite: `hallkit.py stand-in DIR` writes the stand-in verifier and one
    # replay it accepts into DIR.
    if len(sys.argv) == 3 and sys.argv[1] == "stand-in":
        source = StandInReplays(sys.argv[2])
        (pathlib.Path(sys.argv[2]) / "game.replay").write_text(source.make(7, name=None))
        print(source.game)
    else:
        sys.exit("usage: hallkit.py stand-in DIR")
