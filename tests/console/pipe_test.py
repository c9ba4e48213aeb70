#!/usr/bin/env python3
"""The built program fed through a pipe as hostile parents feed it.

Usage: pipe_test.py PROGRAM [unittest arguments]
"""
import fcntl
import os
import subprocess
import sys
import threading
import time
import unittest

PROGRAM = sys.argv[1]
ENV = dict(os.environ, ASAN_OPTIONS="detect_leaks=0:" + os.environ.get("ASAN_OPTIONS", ""))


def run(feed, stdin=subprocess.PIPE):
    """Runs the program, hands its stdin to feed(process) in a thread, and returns its output,
    the most memory it held (KiB) and the processor time it used (s)."""
    process = subprocess.Popen([PROGRAM], stdin=stdin, stdout=subprocess.PIPE, env=ENV)
    writer = threading.Thread(target=feed, args=(process,))
    writer.start()
    output = process.stdout.read()
    _, status, usage = os.wait4(process.pid, 0)
    writer.join()
    if status != 0:
        raise AssertionError(f"status {status}")
    return output, usage.ru_maxrss, usage.ru_utime + usage.ru_stime


def write_and_close(*chunks):
    def feed(process):
        try:
            for chunk in chunks:
                process.stdin.write(chunk)
        except BrokenPipeError:
            pass
        process.stdin.close()
    return feed


class Pipe(unittest.TestCase):
    def test_long_number_takes_fixed_memory(self):
        digits = b"7" * (1 << 20)
        _, small, _ = run(write_and_close(b"0.7\n9\n"))
        output, large, _ = run(write_and_close(b"0.", *([digits] * 100), b"\n9\n"))
        self.assertIn(b" Du hast insgesamt 0 von 1 Punkten erreicht! ", output)
        self.assertLess(large - small, 8 << 10, "100 MiB of digits held in memory")

    def test_non_blocking_input_is_waited_for(self):
        reading, writing = os.pipe()
        fcntl.fcntl(reading, fcntl.F_SETFL, fcntl.fcntl(reading, fcntl.F_GETFL) | os.O_NONBLOCK)

        def feed(_):
            time.sleep(1.5)  # the program waits meanwhile, and must not spin
            os.write(writing, b"0\n9\n")
            os.close(writing)

        output, _, busy = run(feed, stdin=reading)
        os.close(reading)
        self.assertIn(b" Dein Ergebnis ist leider falsch!", output)
        self.assertLess(busy, 0.5, "the wait used the processor")

if __name__ == "__main__":
    unittest.main(argv=[sys.argv[0]] + sys.argv[2:])
