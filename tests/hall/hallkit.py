"""What the hall-of-fame tests share: a tarnhall started on a free port of 127.0.0.1, a small
HTTP client, a throwaway PostgreSQL cluster, and the replays to submit: games the game played
itself, verified by the game."""
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


class GameReplays:
    """Games the game played itself, headless, from a fresh save folder, each game's replay left
    in the save folder's replays/, verified by the game. One run plays game after game from a
    scripted input (aim a little left or right at random, fire, again; a lost game's name is
    confirmed by the next fire and the next game starts), and each later game of a run starts at
    another place of the game's random sequence, so every game differs. Runs differ by the seed
    of their script. What the runs made is kept in `cache` (beside the game binary's build)
    while the binary is unchanged; everything is deterministic, so a cache is only a saving."""

    real = True
    RUN_FRAMES = 6000  # about 15 games, fewer than the 20 a save folder keeps of a board

    def __init__(self, workdir, game, cache=None):
        self.game = pathlib.Path(game).resolve()
        self.workdir = pathlib.Path(workdir)
        stamp = int(self.game.stat().st_mtime)
        self.cache = pathlib.Path(cache or self.game.parent / "hall-replays") / str(stamp)
        self._runs = 0

    @staticmethod
    def script(seed, frames):
        """Input for a run: push mode from the title, then aim and fire until `frames`."""
        rng = random.Random(seed)
        lines, frame = ["0 keydown 40", "1 keyup 40"], 4
        while frame < frames:
            hold = rng.randint(0, 10)
            if hold:
                key = rng.choice((37, 39))
                lines += [f"{frame} keydown {key}", f"{frame + hold} keyup {key}"]
                frame += hold + 1
            lines += [f"{frame} keydown 193", f"{frame + 1} keyup 193"]
            frame += 8
        return "\n".join(lines) + "\n"

    def _play(self, seed, extra=(), frames=None, bot=False):
        """The replays of one headless run: of the script of `seed`, or of the autoplayer with
        that seed."""
        self._runs += 1
        save = self.workdir / f"save-{self._runs}"
        save.mkdir(parents=True)
        frames = frames or self.RUN_FRAMES
        script = self.workdir / f"run-{self._runs}.input"
        script.write_text(self.script(seed, frames))
        players = ["--bot", "--bot-seed", str(seed)] if bot else ["--input", str(script)]
        args = [
            str(self.game),
            "--headless",
            "--save-dir",
            str(save),
            "--frames",
            str(frames),
            *players,
            *extra,
        ]
        subprocess.run(
            args, check=True, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, timeout=300
        )
        replays = [p.read_text() for p in sorted((save / "replays").glob("*")) if p.is_file()]
        shutil.rmtree(save, ignore_errors=True)
        script.unlink()
        return replays

    def _cached(self, kind, count, make_run):
        """At least `count` different scored games of `kind`, from runs `make_run(i)` for
        i = 0, 1, ... as far as needed; suites running at once share the work."""
        import fcntl

        folder = self.cache / kind
        folder.mkdir(parents=True, exist_ok=True)
        with open(folder / ".lock", "w") as lock:
            fcntl.flock(lock, fcntl.LOCK_EX)
            found = {}
            for path in sorted(folder.glob("*.replay")):
                replay = path.read_text()
                found[with_name(replay, None)] = replay
            runs_file = folder / ".runs"
            runs = int(runs_file.read_text()) if runs_file.exists() else 0
            while len(found) < count and runs < max(50, count):
                for replay in make_run(runs):
                    if result_of(replay)["score"] > 0 and with_name(replay, None) not in found:
                        found[with_name(replay, None)] = replay
                        (folder / f"{len(found):04d}.replay").write_text(replay)
                runs += 1
                runs_file.write_text(str(runs))
        return list(found.values())

    def games(self, count, board="push"):
        """`count` different push games with a score (every board here is push)."""
        if board not in (None, "push"):
            return []
        return self._cached("push", count, lambda run: self._play(seed=run + 1))[:count]

    def long_games(self, count):
        """`count` different push games the autoplayer played, each of minutes (for the
        benchmark: the tests need no game that long)."""
        play = lambda run: self._play(run + 1, ["--bot-mode", "push"], frames=30000, bot=True)
        return self._cached("bot-push", count, play)[:count]

    def daily(self, date):
        """A scored daily game of `date` (YYYY-MM-DD)."""
        play = lambda run: self._play(seed=run + 1, extra=["--daily", date], frames=3000)
        return self._cached("daily-" + date, 1, play)[0]


def replay_source(workdir, game):
    pathlib.Path(workdir).mkdir(parents=True, exist_ok=True)
    return GameReplays(workdir, game)
