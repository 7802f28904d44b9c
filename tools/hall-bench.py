#!/usr/bin/env python3
"""Benchmark of the hall of fame (not a test): verified submissions a second, and read latency
p50/p99 while 20 clients submit. The replays are push games of minutes the autoplayer played
(each with its own seed), verified by the game; they are made once and kept beside the game
in build/hall-replays/.

usage: hall-bench.py --hall build/tarnhall --game build/tarngame [--submissions N] [--workers N]"""
import argparse
import concurrent.futures
import pathlib
import shutil
import sys
import tempfile
import threading
import time

sys.path.insert(0, str(pathlib.Path(__file__).resolve().parent.parent / "tests" / "hall"))
import hallkit  # noqa: E402


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--hall", required=True)
    parser.add_argument("--game", required=True)
    parser.add_argument("--submissions", type=int, default=100)
    parser.add_argument("--workers", type=int, default=0)
    args = parser.parse_args()
    work = pathlib.Path(tempfile.mkdtemp(prefix="tarnhall-bench-"))
    try:
        run(args, work)
    finally:
        shutil.rmtree(work, ignore_errors=True)


def run(args, work):
    source = hallkit.replay_source(work / "replays", args.game)
    started = time.perf_counter()
    replays = source.long_games(args.submissions)
    print(f"{len(replays)} games made or read in {time.perf_counter() - started:.0f} s")
    frames = sum(hallkit.result_of(r)["frames"] for r in replays) / len(replays)
    extra = ["--submit-limit", "100000", "--queue", "16"]
    if args.workers:
        extra += ["--workers", str(args.workers)]
    hall = hallkit.Hall(args.hall, work / "data", source.game, extra=extra)
    latencies, done, lock = [], threading.Event(), threading.Lock()

    def submit(body):
        while True:
            status, _, head = hall.submit(body)
            if status != 503:
                return status
            time.sleep(float(head.get("retry-after", "1")))

    def read():
        paths = ("/api/scores?board=push&limit=20", "/api/boards", "/health")
        i = 0
        while not done.is_set():
            started = time.perf_counter()
            hall.request("GET", paths[i % 3])
            with lock:
                latencies.append(time.perf_counter() - started)
            i += 1

    with concurrent.futures.ThreadPoolExecutor(24) as pool:
        readers = [pool.submit(read) for _ in range(4)]
        started = time.perf_counter()
        statuses = list(concurrent.futures.ThreadPoolExecutor(20).map(submit, replays))
        elapsed = time.perf_counter() - started
        done.set()
        for reader in readers:
            reader.result()
    hall.stop()
    latencies.sort()
    accepted = statuses.count(201)
    print(f"{len(replays)} different games of {frames:.0f} frames on average")
    print(
        f"verified submissions: {accepted} in {elapsed:.1f} s = {accepted / elapsed:.1f}/s"
        f" ({accepted * frames / elapsed:,.0f} frames/s)"
    )
    print(
        f"reads during the load: {len(latencies)}, p50 {latencies[len(latencies) // 2] * 1000:.1f} ms,"
        f" p99 {latencies[int(len(latencies) * 0.99)] * 1000:.1f} ms"
    )


if __name__ == "__main__":
    main()
