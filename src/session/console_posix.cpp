#include "console.hpp"

#include <array>
#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <streambuf>

#include <poll.h>
#include <termios.h>
#include <unistd.h>

// No shell is started here: system("PAUSE") would run whatever program named PAUSE comes
// first on PATH. Colours and the pause are done on the terminal itself, and only when there
// is one. Whatever is changed is put back on every way out (return from main, exit, the
// signals that end a program at a terminal) and while the program is stopped with Ctrl-Z.
//
// The terminal is touched only while this process is in its foreground: a background process
// that changes the settings, or writes with tostop set, is stopped by the kernel, inside the
// signal handler, and could then be ended only with SIGKILL. The shell puts back its own
// settings when it takes the terminal.

namespace {

constexpr const char* colours = "\x1b[103;90m";
constexpr const char* clearScreen = "\x1b[2J\x1b[H";
constexpr const char* resetColours = "\x1b[0m";
constexpr const char* pausePrompt = "Druecken Sie eine beliebige Taste . . . ";

// What the program wants, and what is on the terminal now. Read by the signal handlers.
volatile std::sig_atomic_t coloursWanted = 0;
volatile std::sig_atomic_t coloursShown = 0;
volatile std::sig_atomic_t keyModeWanted = 0;
volatile std::sig_atomic_t keyModeSet = 0;
termios savedTerminal{};
termios keyTerminal{};

bool inForeground(int descriptor)
{
    return ::tcgetpgrp(descriptor) == ::getpgrp();
}

// Async-signal-safe, as is everything down to onStop: called from the handlers too.
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

// Colours come back after Ctrl-Z without clearing the screen, which holds the problem.
void showColours()
{
    if (coloursWanted != 0 && coloursShown == 0 && inForeground(STDOUT_FILENO)) {
        writeText(colours);
        coloursShown = 1;
    }
}

void hideColours()
{
    if (coloursShown != 0 && inForeground(STDOUT_FILENO)) {
        writeText(resetColours);
        coloursShown = 0;
    }
}

void setKeyMode()
{
    if (keyModeWanted != 0 && keyModeSet == 0 && inForeground(STDIN_FILENO)) {
        keyModeSet = ::tcsetattr(STDIN_FILENO, TCSANOW, &keyTerminal) == 0 ? 1 : 0;
    }
}

void leaveKeyMode(int when)
{
    if (keyModeSet != 0 && inForeground(STDIN_FILENO)) {
        ::tcsetattr(STDIN_FILENO, when, &savedTerminal);
        keyModeSet = 0;
    }
}

void restoreTerminal()
{
    leaveKeyMode(TCSANOW);
    hideColours();
}

void resumeTerminal()
{
    showColours();
    setKeyMode();
}

void handle(int signalNumber, void (*handler)(int), int flags)
{
    struct sigaction action {};
    action.sa_handler = handler;
    action.sa_flags = flags;
    sigemptyset(&action.sa_mask);
    ::sigaction(signalNumber, &action, nullptr);
}

// The handler is reset to the default on entry (SA_RESETHAND), so raising the signal again
// ends the program the usual way once the handler returns, and the shell sees the usual status.
void onEnd(int signalNumber)
{
    const int savedErrno = errno;
    restoreTerminal();
    static_cast<void>(std::raise(signalNumber));
    errno = savedErrno;
}

// Ctrl-Z: leave the terminal as it was found, then stop the default way. When the stop is
// refused (an orphaned process group) or the program is back in the foreground, pick up where
// it was.
void onStop(int signalNumber)
{
    const int savedErrno = errno;
    restoreTerminal();
    handle(signalNumber, SIG_DFL, 0);
    sigset_t stop;
    sigemptyset(&stop);
    sigaddset(&stop, signalNumber);
    ::sigprocmask(SIG_UNBLOCK, &stop, nullptr);
    static_cast<void>(std::raise(signalNumber));
    handle(signalNumber, onStop, SA_RESTART);
    resumeTerminal();
    errno = savedErrno;
}

void onContinue(int)
{
    const int savedErrno = errno;
    resumeTerminal();
    errno = savedErrno;
}

// The main line changes the flags with the signals held back, so that no handler sees them
// half-changed. Releasing puts back the mask as it was, so a signal the parent left blocked
// stays blocked.
sigset_t holdSignals()
{
    sigset_t held;
    sigemptyset(&held);
    for (const int signalNumber : {SIGINT, SIGQUIT, SIGTERM, SIGHUP, SIGTSTP, SIGCONT}) {
        sigaddset(&held, signalNumber);
    }
    sigset_t before;
    ::sigprocmask(SIG_BLOCK, &held, &before);
    return before;
}

void releaseSignals(const sigset_t& before)
{
    ::sigprocmask(SIG_SETMASK, &before, nullptr);
}

// Writes all of text, waiting out a descriptor that the parent left non-blocking; false once
// it cannot be written (closed, or no reader), as a stream then goes bad.
bool writeAll(const char* text, std::size_t size)
{
    while (size > 0) {
        const ssize_t written = ::write(STDOUT_FILENO, text, size);
        if (written > 0) {
            text += written;
            size -= static_cast<std::size_t>(written);
        } else if (written < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
            pollfd output{STDOUT_FILENO, POLLOUT, 0};
            static_cast<void>(::poll(&output, 1, -1));
        } else if (written == 0 || errno != EINTR) {
            return false;
        }
    }
    return true;
}

// The dialogue's text, written with write(2) like the terminal's own codes, so that the
// program sets up neither C's stdio nor the standard stream objects and their wide twins: it
// starts faster and in less memory.
struct StandardOutput : std::streambuf {
    std::array<char, 4096> buffer; // not cleared: only what is written to it is read
    StandardOutput() { setp(buffer.data(), buffer.data() + buffer.size()); }

    int sync() override
    {
        const bool written = writeAll(pbase(), static_cast<std::size_t>(pptr() - pbase()));
        setp(buffer.data(), buffer.data() + buffer.size());
        return written ? 0 : -1;
    }
    int_type overflow(int_type c) override
    {
        if (sync() != 0) {
            return traits_type::eof();
        }
        if (!traits_type::eq_int_type(c, traits_type::eof())) {
            sputc(traits_type::to_char_type(c));
        }
        return traits_type::not_eof(c);
    }
};

// Made before any exit handler is installed, so that it outlives them.
StandardOutput& standardOutput()
{
    static StandardOutput output;
    return output;
}

void flushOutput()
{
    static_cast<void>(standardOutput().pubsync());
}

void restoreAtExit()
{
    flushOutput();
    const sigset_t before = holdSignals();
    coloursWanted = 0;
    keyModeWanted = 0;
    restoreTerminal();
    releaseSignals(before);
}

void installRestorers()
{
    static bool installed = false;
    if (installed) {
        return;
    }
    installed = true;
    static_cast<void>(std::atexit(restoreAtExit));
    for (const int signalNumber : {SIGINT, SIGQUIT, SIGTERM, SIGHUP, SIGTSTP}) {
        struct sigaction previous {};
        ::sigaction(signalNumber, nullptr, &previous);
        if (previous.sa_handler == SIG_IGN) {
            continue; // left ignored, as under nohup
        }
        if (signalNumber == SIGTSTP) {
            handle(signalNumber, onStop, SA_RESTART);
        } else {
            handle(signalNumber, onEnd, static_cast<int>(SA_RESETHAND));
        }
    }
    handle(SIGCONT, onContinue, SA_RESTART);
}

// Reads like read(2), but waits out a descriptor that the parent left non-blocking instead of
// taking its "try again" for the end of input.
ssize_t readWaiting(void* into, std::size_t size)
{
    for (;;) {
        const ssize_t got = ::read(STDIN_FILENO, into, size);
        if (got >= 0) {
            return got;
        }
        if (errno == EINTR) {
            continue;
        }
        if (errno != EAGAIN && errno != EWOULDBLOCK) {
            return got;
        }
        pollfd input{STDIN_FILENO, POLLIN, 0};
        static_cast<void>(::poll(&input, 1, -1));
    }
}

// A terminal reports the end of input once per Ctrl-D, so it is kept once seen, as C's stdio
// keeps it: a number typed before Ctrl-D then needs two presses, not one more for every look.
struct StandardInput : std::streambuf {
    std::array<char, 4096> buffer; // not cleared: read() fills what is used
    bool ended = false;

    int_type underflow() override
    {
        if (ended) {
            return traits_type::eof();
        }
        const ssize_t got = readWaiting(buffer.data(), buffer.size());
        if (got <= 0) {
            ended = true;
            return traits_type::eof();
        }
        setg(buffer.data(), buffer.data(), buffer.data() + got);
        return traits_type::to_int_type(buffer[0]);
    }
};

void setConsoleColours()
{
    if (::isatty(STDOUT_FILENO) == 0) {
        return;
    }
    flushOutput();
    installRestorers();
    const sigset_t before = holdSignals();
    coloursWanted = 1;
    if (inForeground(STDOUT_FILENO)) {
        writeText(colours);
        writeText(clearScreen);
        coloursShown = 1;
    }
    releaseSignals(before);
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

    // One key, no Enter, no echo; signals stay on so that Ctrl-C and Ctrl-Z still work. The
    // prompt comes after the switch, so that a key pressed as soon as it shows is taken alone.
    const sigset_t before = holdSignals();
    savedTerminal = terminal;
    keyTerminal = terminal;
    keyTerminal.c_lflag &= ~static_cast<tcflag_t>(ICANON | ECHO);
    keyTerminal.c_cc[VMIN] = 1;
    keyTerminal.c_cc[VTIME] = 0;
    keyModeWanted = 1;
    setKeyMode();
    releaseSignals(before);
    writeText(pausePrompt);

    char key = 0;
    static_cast<void>(readWaiting(&key, 1));

    // TCSAFLUSH drops the rest of a key that sends several bytes, such as an arrow key, so that
    // it does not reach the shell.
    static_cast<void>(holdSignals());
    keyModeWanted = 0;
    leaveKeyMode(TCSAFLUSH);
    releaseSignals(before);
    writeText("\n");
}

} // namespace

// A terminal shows the dialogue and nothing beside it, so it wants none of the session's events.
Console openConsole()
{
    static StandardInput input;
    StandardOutput& output = standardOutput();
    const std::time_t t = std::time(nullptr);
    SessionOperations operations;
    operations.setColours = setConsoleColours;
    operations.pause = pauseConsole;
    return {&input, &output, static_cast<unsigned>(t), operations, {}}; // t's low 32 bits
}
