/* The floor for bench/run: the same dialogue in plain C. It writes the same bytes as dreisatz,
   with a flush after every line and before every read, and reads the same input, but has no
   terminal handling and no care for unreadable input. Its exercises come from the same draws
   of rand(), so that with the same clock both programs write the same bytes.
   Its scenario texts copy the program's catalogue (src/exercises/exercise_catalogue.hpp): the
   floor must stay plain C with nothing but the C library, so it cannot include the C++ table.
   bench/run compares the two programs' output byte for byte, which catches a copy gone
   astray. */
#include <stdio.h>
#include <stdlib.h>
#include <time.h>

static const char *const personal[] = {" Reinigungskraeften", " Richterinnen", " Bergmaennern",
                                       " Schuelern", " Ameisen", " Strassenarbeitern"};
static const char *const workZeit[] = {" Stunden", " Wochen", " Tagen",
                                       " Minuten", " Minuten", " Tagen"};
static const char *const lebens[] = {" Expeditionsmitglieder", " Festivalbesucher", " Kuehe",
                                     " Gluehbirnen", " Kinder", " Autos"};
static const char *const futter[] = {" den Lebensmittelvorraeten ", " den eingelagerten Getraenken ",
                                     " dem gemaehten Heu ", " Strom aus einer Solarbatterie ",
                                     " Suessigkeiten ", " vorraetigem Motoroel "};
static const char *const supplyZeit[] = {" Wochen", " Tage", " Monate",
                                         " Stunden", " Tage", " Monate"};
static const char separator[] = " ---------------------------------------------------------- ";

static void endLine(void)
{
    putchar('\n');
    fflush(stdout);
}

static void lines(int count)
{
    while (count-- > 0)
        endLine();
}

int main(void)
{
    int posed = 0, correct = 0, ok = 1, ended = 0;
    srand((unsigned)time(NULL));
    lines(1);
    printf(" Willkommen beim Uebungs-Simulator fuer Indirekte Proportionalitaet!");
    endLine();
    printf(" Viel Vergnuegen beim Raetseln! ");
    lines(3);
    printf("%s", separator);
    lines(3);
    while (ok == 1) {
        int work = rand() % 2 == 1, r = rand() % 6;
        int first = rand() % (work ? 8 : 12) + 2, second, factor;
        float erg;
        do
            second = rand() % (work ? 10 : 18) + 2;
        while (second == first);
        factor = rand() % (work ? 13 : 4) + 2;
        ++posed;
        lines(1);
        if (work) {
            printf(" Eine Gruppe von %d%s schafft die vorgegebene Arbeit", first, personal[r]);
            endLine();
            printf(" durchschnitttlich in %d%s. ", factor * second, workZeit[r]);
            lines(2);
            printf(" Wieviele%s braucht dann ein Gruppe von %d%s ?", workZeit[r], second,
                   personal[r]);
        } else {
            printf(" %d%s kommen mit%s%d%s aus. ", first, lebens[r], futter[r], factor * second,
                   supplyZeit[r]);
            lines(2);
            printf(" Wieviele%s reicht dieselbe Menge an%s", supplyZeit[r], futter[r]);
            endLine();
            printf(" fuer %d%s ?", second, lebens[r]);
        }
        lines(2);
        printf(" Gib dein Ergebnis ein und druecke ENTER: ");
        fflush(stdout);
        if (scanf("%f", &erg) == 1) {
            lines(2);
            if (erg == (float)(factor * first)) {
                printf(" Richtig gerechnet! :-) ");
                ++correct;
            } else {
                printf(" Dein Ergebnis ist leider falsch!");
                endLine();
                printf(" Das richige Ergebnis lautet: %d", factor * first);
            }
            lines(2);
            printf(" Zum Beenden des Programms druecke 9 und ENTER, ");
            endLine();
            printf(" zum Weitermachen druecke 1 und ENTER: ");
            fflush(stdout);
            ended = scanf("%d", &ok) != 1;
        } else {
            ended = 1;
        }
        if (ended)
            ok = 9;
        lines(2);
        printf("%s", separator);
        lines(3);
    }
    printf(" Du hast insgesamt %d von %d Punkten erreicht! ", correct, posed);
    lines(2);
    if (5 * correct < 4 * posed) {
        printf(" Du musst noch mehr ueben! ");
        lines(3);
    } else {
        printf(" Bravo! ");
        lines(2);
    }
    return 0;
}
