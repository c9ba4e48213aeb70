"""The program's own texts, and how to read a problem statement, for the end-to-end tests."""
import re

ANSWER_PROMPT = b" Gib dein Ergebnis ein und druecke ENTER: "
CONTINUE_PROMPT = b" Zum Beenden des Programms druecke 9 und ENTER, \n zum Weitermachen druecke 1 und ENTER: "
SEPARATOR = b" " + b"-" * 58 + b" "
GREETING = (b"\n Willkommen beim Uebungs-Simulator fuer Indirekte Proportionalitaet!\n"
            b" Viel Vergnuegen beim Raetseln! \n\n\n" + SEPARATOR + b"\n\n\n")
SEPARATOR_BLOCK = b"\n\n" + SEPARATOR + b"\n\n\n"
RIGHT = b"\n\n Richtig gerechnet! :-) \n\n"
BRAVO = b" Bravo! \n\n"
PRACTISE = b" Du musst noch mehr ueben! \n\n\n"

# Whole statements, line ends as "\n"; the groups give the first size, the duration and the
# second size.
WORK = re.compile(rb"\n Eine Gruppe von (?P<first>\d+) (?P<noun>\w+) schafft die vorgegebene "
                  rb"Arbeit\n durchschnitttlich in (?P<duration>\d+) (?P<unit>\w+)\. \n\n"
                  rb" Wieviele (?P=unit) braucht dann ein Gruppe von (?P<second>\d+) (?P=noun) \?\n\n")
SUPPLY = re.compile(rb"\n (?P<first>\d+) (?P<noun>\w+) kommen mit (?P<stock>[\w ]+?) "
                    rb"(?P<duration>\d+) (?P<unit>\w+) aus\. \n\n"
                    rb" Wieviele (?P=unit) reicht dieselbe Menge an (?P=stock) \n"
                    rb" fuer (?P<second>\d+) (?P=noun) \?\n\n")


def last_statement(text):
    """The last whole statement in text (line ends "\\n" or "\\r\\n") and its answer."""
    text = text.replace(b"\r\n", b"\n")
    found = list(WORK.finditer(text)) + list(SUPPLY.finditer(text))
    if not found:
        raise AssertionError(f"no statement in {text[-400:]!r}")
    match = max(found, key=lambda m: m.start())
    first, duration, second = (int(match[g]) for g in ("first", "duration", "second"))
    if first == second or first * duration % second != 0:
        raise AssertionError(f"no whole answer: {match[0]!r}")
    return match[0], first * duration // second


def wrong(answer):
    return b"\n\n Dein Ergebnis ist leider falsch!\n Das richige Ergebnis lautet: %d\n\n" % answer


def closing(correct, posed):
    summary = b" Du hast insgesamt %d von %d Punkten erreicht! \n\n" % (correct, posed)
    return summary + (PRACTISE if 5 * correct < 4 * posed else BRAVO)
