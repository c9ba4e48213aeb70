#!/usr/bin/env python3
"""Scripted sessions of the Windows build under Wine, over pipes.

Usage: wine_session_test.py WINE PROGRAM.exe WINEPREFIX
Each session is compared, up to the verdict, with the text it must show: the program's own
texts with "\\r\\n" line ends. What follows (the prompt of the interpreter's PAUSE) is Wine's.
"""
import os
import signal
import subprocess
import sys
import threading
import time

from dialogue_text import (ANSWER_PROMPT, CONTINUE_PROMPT, GREETING, RIGHT, SEPARATOR_BLOCK,
                           closing, last_statement, wrong)

WINE, PROGRAM = sys.argv[1:3]
PREFIX = os.path.abspath(sys.argv[3])
ENV = dict(os.environ, WINEPREFIX=PREFIX, WINEDEBUG="-all", WINEDLLOVERRIDES="mscoree,mshtml=",
           LANG="C.UTF-8")
TIMEOUT = 60


def crlf(text):
    return text.replace(b"\n", b"\r\n")


class Session:
    """One run of the program; a reader thread collects everything it writes."""

    def __init__(self):
        # A session of its own, so that a time-out ends cmd.exe and wineserver's children too.
        self.process = subprocess.Popen([WINE, PROGRAM], env=ENV, stdin=subprocess.PIPE,
                                        stdout=subprocess.PIPE, stderr=subprocess.DEVNULL,
                                        start_new_session=True)
        self.output = b""
        self.lock = threading.Lock()
        self.reader = threading.Thread(target=self.read, daemon=True)
        self.reader.start()

    def read(self):
        while chunk := os.read(self.process.stdout.fileno(), 4096):
            with self.lock:
                self.output += chunk

    def wait_for(self, text, start):
        deadline = time.monotonic() + TIMEOUT
        while time.monotonic() < deadline:
            with self.lock:
                at = self.output.find(crlf(text), start)
                if at >= 0:
                    return self.output[:at], at + len(crlf(text))
            time.sleep(0.02)
        self.kill()
        raise AssertionError(f"no {text!r} in {self.output[start:]!r}")

    def type(self, text):
        self.process.stdin.write(text.encode() + b"\r\n")
        self.process.stdin.flush()

    def finish(self):
        self.process.stdin.close()
        try:
            self.process.wait(TIMEOUT)
        except subprocess.TimeoutExpired:
            self.kill()
            raise
        # All is read once the last holder of the pipe, which may be a child of Wine's, is gone.
        self.reader.join(TIMEOUT)
        if self.reader.is_alive():
            self.kill()
            raise AssertionError("the output did not end")
        with self.lock:
            return self.output

    def kill(self):
        try:
            os.killpg(self.process.pid, signal.SIGKILL)
        except ProcessLookupError:
            pass


def play(script):
    """script: per round, (answer, choice). answer is "right", "wrong", other text that is
    typed as it stands and judged wrong, or None for the end of input at the answer prompt;
    choice is what is typed at the continue prompt, or None for the end of input there."""
    session = Session()
    expected, correct, read = GREETING, 0, 0
    for round_answer, choice in script:
        before, read = session.wait_for(ANSWER_PROMPT, read)
        statement, answer = last_statement(before)
        expected += statement + ANSWER_PROMPT
        if round_answer is None:
            expected += SEPARATOR_BLOCK
            break
        typed = {"right": str(answer), "wrong": str(answer + 1)}.get(round_answer, round_answer)
        session.type(typed)
        expected += RIGHT if round_answer == "right" else wrong(answer)
        correct += round_answer == "right"
        _, read = session.wait_for(CONTINUE_PROMPT, read)
        expected += CONTINUE_PROMPT + SEPARATOR_BLOCK
        if choice is None:
            break
        session.type(choice)
    expected += closing(correct, len(script))
    output = session.finish()
    if session.process.returncode != 0:
        raise AssertionError(f"exit status {session.process.returncode}")
    if output[:len(crlf(expected))] != crlf(expected):
        raise AssertionError(f"expected\n{crlf(expected)!r}\nbut got\n{output!r}")


SCRIPTS = {
    "right then 9": [("right", "9")],
    "wrong then 2": [("wrong", "2")],
    "four of five": [("right", "1"), ("right", "1"), ("wrong", "1"), ("right", "1"),
                     ("right", "0")],
    "end of input at the answer prompt": [("right", "1"), (None, None)],
    "end of input at the continue prompt": [("wrong", None)],
    "numbers out of range": [("1e40", "1"), ("-1e40", "99999999999")],
    "unreadable input is dropped": [("zwanzig\r\n0.5", "weiter\r\n1"), ("wrong", "0")],
    # The runtime's own strtof takes quadratic time on this: minutes rather than a moment.
    "five million digits": [("0." + "3" * 5_000_000, "9")],
}


def main():
    if not os.path.isdir(PREFIX):
        subprocess.run(["wineboot", "-i"], env=ENV, check=True, timeout=300,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        subprocess.run(["wineserver", "-w"], env=ENV, check=True, timeout=300)
    failures = 0
    for name, script in SCRIPTS.items():
        try:
            play(script)
            print(f"ok: {name}")
        except AssertionError as error:
            failures += 1
            print(f"FAILED: {name}: {error}")
    sys.exit(1 if failures else 0)


if __name__ == "__main__":
    main()
