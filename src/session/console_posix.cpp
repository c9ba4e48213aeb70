#include "console.hpp"

#include <atomic>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iostream>

#include <cerrno>
#include <termios.h>
#include <unistd.h>

// No shell is started here: system("PAUSE") would run whatever program named PAUSE comes
// first on PATH. Colours and the pause are done on the terminal itself, and only when there
// is one. Whatever is changed is put back on every way out: return from main, exit, and the
// signals that end a program at a terminal.

namespace {

constexpr const char* yellowScreen = "\x1b[103;90m\x1b[2J\x1b[H";
constexpr const char* resetColours = "\x1b[0m";
constexpr const char* pausePrompt = "Druecken Sie eine beliebige Taste . . . ";

volatile std::sig_atomic_t coloursSet = 0;
volatile std::sig_atomic_t terminalChanged = 0;
termios savedTerminal{};

// Async-signal-safe: called from the signal handler too.
void writeText(const char* text)
{
    const char* rest = text;
    std::size_t left = std::strlen(text);
    while (left > 0) {
        const ssize_t written = ::write(STDOUT_FILENO, rest, left);
        if (written < 0 && errno == EINTR) {
            continue;
        }
        if (written <= 0) {
            return;
        }
        rest += written;
        left -= static_cast<std::size_t>(written);
    }
}

void flushOutput()
{
    std::cout.flush();
    static_cast<void>(std::fflush(stdout));
}

// Async-signal-safe as well.
void restoreConsole()
{
    if (terminalChanged != 0) {
        ::tcsetattr(STDIN_FILENO, TCSANOW, &savedTerminal);
        terminalChanged = 0;
    }
    if (coloursSet != 0) {
        writeText(resetColours);
        coloursSet = 0;
    }
}

void restoreAtExit()
{
    flushOutput();
    restoreConsole();
}

// The handler is reset to the default on entry (SA_RESETHAND), so raising the signal again
// ends the program the usual way once the handler returns, and the shell sees the usual status.
void onSignal(int signalNumber)
{
    const int savedErrno = errno;
    restoreConsole();
    static_cast<void>(std::raise(signalNumber));
    errno = savedErrno;
}

void installRestorers()
{
    static bool installed = false;
    if (installed) {
        return;
    }
    installed = true;
    static_cast<void>(std::atexit(restoreAtExit));
    for (const int signalNumber : {SIGINT, SIGQUIT, SIGTERM, SIGHUP}) {
        struct sigaction previous {};
        ::sigaction(signalNumber, nullptr, &previous);
        if (previous.sa_handler == SIG_IGN) {
            continue; // left ignored, as under nohup
        }
        struct sigaction action {};
        action.sa_handler = onSignal;
        action.sa_flags = static_cast<int>(SA_RESETHAND);
        sigemptyset(&action.sa_mask);
        ::sigaction(signalNumber, &action, nullptr);
    }
}

} // namespace

void setConsoleColours()
{
    if (::isatty(STDOUT_FILENO) == 0) {
        return;
    }
    flushOutput();
    installRestorers();
    coloursSet = 1;
    writeText(yellowScreen);
}

void pauseConsole(bool inputEnded)
{
    if (inputEnded || ::isatty(STDIN_FILENO) == 0) {
        return;
    }
    termios terminal{};
    if (::tcgetattr(STDIN_FILENO, &terminal) != 0) {
        return;
    }
    flushOutput();
    installRestorers();
    writeText(pausePrompt);

    savedTerminal = terminal;
    std::atomic_signal_fence(std::memory_order_seq_cst);
    terminalChanged = 1;
    // One key, no Enter, no echo; signals stay on so that Ctrl-C still ends the program.
    terminal.c_lflag &= ~static_cast<tcflag_t>(ICANON | ECHO);
    terminal.c_cc[VMIN] = 1;
    terminal.c_cc[VTIME] = 0;
    if (::tcsetattr(STDIN_FILENO, TCSANOW, &terminal) == 0) {
        char key = 0;
        while (::read(STDIN_FILENO, &key, 1) < 0 && errno == EINTR) {
        }
    }
    // TCSAFLUSH drops the rest of a key that sends several bytes, such as an arrow key, so that
    // it does not reach the shell.
    ::tcsetattr(STDIN_FILENO, TCSAFLUSH, &savedTerminal);
    terminalChanged = 0;
    writeText("\n");
}
