#!/usr/bin/env python3
"""End-to-end tests of the built program in a pseudo-terminal.

Usage: terminal_test.py PROGRAM FIXED_CLOCK_LIBRARY [unittest arguments]
The clock library is preloaded so that every run draws the same exercises.
"""
import io
import os
import re
import resource
import signal
import subprocess
import sys
import termios
import time
import unittest

import pexpect

from dialogue_text import ANSWER_PROMPT, last_statement

PROGRAM, CLOCK = sys.argv[1], sys.argv[2]
ENV = dict(os.environ, LD_PRELOAD=CLOCK, TERM="xterm",
           ASAN_OPTIONS="verify_asan_link_order=0:" + os.environ.get("ASAN_OPTIONS", ""))

# The continue prompt's last line only: a terminal ends the line before it with "\r\n".
CONTINUE_PROMPT = b" zum Weitermachen druecke 1 und ENTER: "
PAUSE_PROMPT = b"Druecken Sie eine beliebige Taste . . . "
COLOURS = b"\x1b[103;90m"
RESET = b"\x1b[0m"
ESCAPE = re.compile(rb"\x1b\[[0-9;?]*[A-Za-z]")
KEYS = {signal.SIGINT: "c", signal.SIGQUIT: "\\"}

# SIGQUIT would leave a core file behind.
resource.setrlimit(resource.RLIMIT_CORE, (0, 0))


def expected_answer(text):
    return last_statement(text)[1]


def spawn(command=None):
    child = pexpect.spawn(command or PROGRAM, env=ENV, timeout=10, dimensions=(40, 100))
    child.logfile_read = io.BytesIO()
    return child


def answer(child, right=True):
    """Waits for the answer prompt and types an answer with Enter, which a terminal sends as CR."""
    child.expect_exact(ANSWER_PROMPT)
    value = expected_answer(child.before) if right else 0
    child.send(f"{value}\r")
    child.expect_exact(CONTINUE_PROMPT)
    return f"{value}"


SHELL_PROMPT = "dreisatz-test$ "


def shell(name):
    """An interactive shell with job control, whose prompt the tests can wait for."""
    child = pexpect.spawn(name, ["-i"] if name == "dash" else ["--norc", "--noprofile", "-i"],
                          env={**{k: v for k, v in ENV.items() if k != "LD_PRELOAD"},
                               "PS1": SHELL_PROMPT}, timeout=10,
                          dimensions=(40, 100))
    child.logfile_read = io.BytesIO()
    child.expect_exact(SHELL_PROMPT)
    return child


def wait_for_key_mode(child):
    """Waits until the program has switched the terminal to single keys without echo."""
    deadline = time.monotonic() + 10
    while termios.tcgetattr(child.child_fd)[3] & (termios.ICANON | termios.ECHO):
        if time.monotonic() > deadline:
            raise AssertionError("the terminal was not switched to single keys")
        time.sleep(0.01)


def has_ended(pid):
    """True once the process is gone or a zombie: a zombie has ended, only its parent has not
    collected it yet."""
    try:
        with open(f"/proc/{pid}/stat", encoding="ascii") as stat:
            return stat.read().rsplit(")", 1)[1].split()[0] == "Z"
    except (FileNotFoundError, ProcessLookupError):  # collected before or while reading
        return True


def run_in(child, command):
    child.sendline(command)
    child.expect_exact(SHELL_PROMPT)
    return ESCAPE.sub(b"", child.before).decode().split("\r\n", 1)[-1].strip("\r\n")


def stop_in_pause(child):
    """Starts the program from the shell, brings it to its pause and stops it with Ctrl-Z."""
    child.sendline(f"LD_PRELOAD={CLOCK} {PROGRAM}")
    answer(child)
    child.send("9\r")
    child.expect_exact(PAUSE_PROMPT)
    wait_for_key_mode(child)
    child.sendcontrol("z")
    child.expect_exact(SHELL_PROMPT)


def finish(child):
    child.expect(pexpect.EOF)
    child.close()
    return child.logfile_read.getvalue()


class Terminal(unittest.TestCase):
    def test_colours_come_first_and_reset_last(self):
        child = spawn()
        answer(child)
        child.send("9\r")
        child.expect_exact(PAUSE_PROMPT)
        child.send("x")
        output = finish(child)
        self.assertTrue(output.startswith(COLOURS), output[:40])
        self.assertEqual(ESCAPE.findall(output)[-1], RESET)
        self.assertEqual(child.exitstatus, 0)

    def test_pause_takes_one_key_without_enter_and_without_echo(self):
        child = spawn()
        answer(child, right=False)
        child.send("9\r")
        child.expect_exact(PAUSE_PROMPT)
        # No waiting: the prompt shows only once a key is taken alone, so a key pressed as
        # soon as it shows is not echoed and needs no Enter.
        local = termios.tcgetattr(child.child_fd)[3]
        self.assertEqual(local & (termios.ICANON | termios.ECHO), 0)
        self.assertNotEqual(local & termios.ISIG, 0, "Ctrl-C must still work in the pause")
        self.assertTrue(child.isalive(), "the pause did not wait")
        child.send("q")
        output = finish(child)
        self.assertNotIn(b"q", output.split(PAUSE_PROMPT)[-1])
        self.assertEqual(child.exitstatus, 0)

    def test_pause_leaves_no_part_of_a_key_to_the_shell(self):
        """Keys that send several bytes: what the pause does not take must not reach the next
        reader of the terminal."""
        keys = [("arrow up", "\x1b[A"), ("F5", "\x1b[15~"), ("umlaut", "ä")]
        for name, key in keys:
            with self.subTest(key=name):
                child = spawn(f"sh -c '{PROGRAM}; echo status=$?; read -r rest; "
                              "echo \"rest=[$rest]\"'")
                answer(child)
                child.send("9\r")
                child.expect_exact(PAUSE_PROMPT)
                wait_for_key_mode(child)
                child.send(key)
                child.expect_exact(b"status=0")
                child.send("x\r")
                child.expect_exact(b"rest=[")
                child.expect_exact(b"]")
                self.assertEqual(child.before, b"x")
                finish(child)

    def test_signals_left_ignored_stay_ignored(self):
        """As under nohup, or for a job started with & by a shell without job control."""
        for sig in (signal.SIGHUP, signal.SIGINT, signal.SIGQUIT, signal.SIGTERM):
            with self.subTest(signal=sig.name):
                child = spawn(f"sh -c 'trap \"\" {sig.name[3:]}; exec {PROGRAM}'")
                child.expect_exact(ANSWER_PROMPT)
                child.kill(sig)  # the same process: sh has become the program
                child.send(f"{expected_answer(child.before)}\r")
                child.expect_exact(CONTINUE_PROMPT)
                child.send("9\r")
                child.expect_exact(PAUSE_PROMPT)
                child.send("x")
                finish(child)
                self.assertEqual(child.exitstatus, 0)

    def test_end_of_input_ends_the_session_without_a_pause(self):
        """Ctrl-D at the start of a line ends the input; after a typed number the first press
        hands over the number and the second ends the input, as with C's scanf."""
        cases = [("at an empty line", False, 1, b" Du hast insgesamt 0 von 1 Punkten erreicht! "),
                 ("after a number", True, 2, b" Du hast insgesamt 1 von 1 Punkten erreicht! ")]
        for where, typed, presses, summary in cases:
            with self.subTest(where=where):
                child = spawn()
                child.expect_exact(ANSWER_PROMPT)
                if typed:
                    child.send(f"{expected_answer(child.before)}")
                for _ in range(presses):
                    child.sendeof()
                output = finish(child)  # no key is sent: the pause must not wait
                self.assertIn(summary, output)
                self.assertNotIn(PAUSE_PROMPT, output)
                self.assertEqual(child.exitstatus, 0)

    def test_terminal_settings_are_the_same_after_a_session(self):
        child = spawn(f"sh -c 'stty -g; {PROGRAM}; stty -g'")
        answer(child)
        child.send("1\r")
        answer(child, right=False)
        child.send("9\r")
        child.expect_exact(PAUSE_PROMPT)
        child.send(" ")
        output = finish(child)
        lines = [line for line in ESCAPE.sub(b"", output).split(b"\r\n") if b":" in line
                 and b" " not in line.strip()]
        self.assertEqual(len(lines), 2, output)
        self.assertEqual(lines[0].strip(), lines[1].strip())

    def test_signals_restore_the_terminal(self):
        """Ctrl-C and Ctrl-\\ from the keyboard, the others sent to the process."""
        def at_answer(child):
            pass

        def at_continue(child):
            child.send(f"{expected_answer(child.before)}\r")
            child.expect_exact(CONTINUE_PROMPT)

        def in_pause(child):
            at_continue(child)
            child.send("9\r")
            child.expect_exact(PAUSE_PROMPT)
            wait_for_key_mode(child)

        cases = [("answer prompt", at_answer, signal.SIGINT),
                 ("continue prompt", at_continue, signal.SIGINT),
                 ("pause", in_pause, signal.SIGINT),
                 ("answer prompt", at_answer, signal.SIGTERM),
                 ("continue prompt", at_continue, signal.SIGHUP),
                 ("pause", in_pause, signal.SIGQUIT)]
        for where, reach, sig in cases:
            with self.subTest(where=where, signal=sig.name):
                child = spawn()
                child.expect_exact(ANSWER_PROMPT)
                before = termios.tcgetattr(child.child_fd)
                reach(child)
                if sig in KEYS:
                    child.sendcontrol(KEYS[sig])
                else:
                    child.kill(sig)
                child.expect(pexpect.EOF)
                after = termios.tcgetattr(child.child_fd)
                output = child.logfile_read.getvalue()
                child.close()
                self.assertTrue(output.endswith(RESET), output[-60:])
                self.assertEqual(after, before)
                self.assertEqual(child.signalstatus, sig)

    def test_stopped_job_ends_on_kill(self):
        """Ctrl-Z, then kill %1: in the pause, and at the answer prompt with tostop set."""
        for where in ("pause", "answer prompt with tostop"):
            with self.subTest(where=where):
                child = shell("bash")
                if where == "pause":
                    stop_in_pause(child)
                else:
                    run_in(child, "stty tostop")
                    child.sendline(f"{PROGRAM}")
                    child.expect_exact(ANSWER_PROMPT)
                    child.sendcontrol("z")
                    child.expect_exact(SHELL_PROMPT)
                pid = int(run_in(child, "jobs -p %1"))
                run_in(child, "kill %1")
                deadline = time.monotonic() + 10
                while not has_ended(pid) and time.monotonic() < deadline:
                    time.sleep(0.05)
                self.assertTrue(has_ended(pid), "the stopped job did not end")
                # Hung up rather than told to exit: an idle bash may not yet have collected
                # the job, and then refuses to exit while it still counts it as stopped.
                child.close(force=True)

    def test_pause_takes_one_key_after_stop_and_fg(self):
        child = shell("bash")
        stop_in_pause(child)
        child.sendline("fg")
        child.expect_exact(COLOURS)
        wait_for_key_mode(child)
        child.send("q")
        child.expect_exact(SHELL_PROMPT)
        self.assertNotIn(b"q", child.before)
        self.assertEqual(run_in(child, "echo status=$?"), "status=0")

    def test_stopped_job_leaves_the_shell_its_terminal(self):
        child = shell("dash")
        before = run_in(child, "stty -g")
        stop_in_pause(child)
        self.assertEqual(ESCAPE.findall(child.before)[-1], RESET)
        self.assertEqual(run_in(child, "stty -g"), before)
        child.sendline("kill %1")
        child.expect_exact(SHELL_PROMPT)

    def test_typed_dialogue_gives_the_texts_of_a_piped_run(self):
        child = spawn()
        typed = [answer(child), "1"]
        child.send("1\r")
        typed += [answer(child, right=False), "1"]
        child.send("1\r")
        typed += [answer(child), "9"]
        child.send("9\r")
        child.expect_exact(PAUSE_PROMPT)
        child.send("x")
        in_terminal = ESCAPE.sub(b"", finish(child)).replace(b"\r\n", b"\n")

        piped = subprocess.run([PROGRAM], input="\n".join(typed).encode() + b"\n", env=ENV,
                               capture_output=True, timeout=10, check=True).stdout
        # The terminal echoes what was typed after each prompt and shows the pause prompt.
        expected, rest = b"", piped
        for text in typed:
            prompt = min((p for p in (ANSWER_PROMPT, CONTINUE_PROMPT) if p in rest),
                         key=rest.index)
            head, rest = rest.split(prompt, 1)
            expected += head + prompt + text.encode() + b"\n"
        expected += rest + PAUSE_PROMPT + b"\n"
        self.assertEqual(in_terminal, expected)


if __name__ == "__main__":
    unittest.main(argv=[sys.argv[0]] + sys.argv[3:])
