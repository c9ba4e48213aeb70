/* Times two programs in turn, RUNS times each, and prints the median wall time of each in
 * milliseconds: "A B". Both run with /dev/null as their input and output, as hyperfine -N runs
 * them. Taking turns, a machine that speeds up or slows down over the minute that this takes
 * moves both figures alike, so that their ratio stays true where two sequential runs drift.
 * Usage: alternate RUNS PROGRAM_A PROGRAM_B */
#define _POSIX_C_SOURCE 200809L
#include <fcntl.h>
#include <spawn.h>
#include <stdio.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

extern char **environ;

static double now(void) {
    struct timespec t;
    clock_gettime(CLOCK_MONOTONIC, &t);
    return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

/* The wall time of one run in milliseconds, or a negative number when it could not run. */
static double timeOne(const char *program, const posix_spawn_file_actions_t *files) {
    char *argv[] = {(char *)program, NULL};
    double start = now();
    pid_t pid;
    if (posix_spawn(&pid, program, files, NULL, argv, environ) != 0)
        return -1;
    int status;
    if (waitpid(pid, &status, 0) != pid || !WIFEXITED(status))
        return -1;
    return now() - start;
}

static int byValue(const void *a, const void *b) {
    double x = *(const double *)a, y = *(const double *)b;
    return (x > y) - (x < y);
}

int main(int argc, char **argv) {
    if (argc != 4 || atoi(argv[1]) < 1) {
        fprintf(stderr, "usage: alternate RUNS PROGRAM_A PROGRAM_B\n");
        return 2;
    }
    int runs = atoi(argv[1]);
    posix_spawn_file_actions_t files;
    posix_spawn_file_actions_init(&files);
    posix_spawn_file_actions_addopen(&files, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&files, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&files, 2, "/dev/null", O_WRONLY, 0);
    double *times[2];
    for (int p = 0; p < 2; ++p) {
        times[p] = malloc(sizeof(double) * runs);
        if (!times[p])
            return 2;
    }
    /* A few rounds first, so that both are in the page cache. */
    for (int i = -20; i < runs; ++i)
        for (int p = 0; p < 2; ++p) {
            double t = timeOne(argv[2 + p], &files);
            if (t < 0) {
                fprintf(stderr, "alternate: %s did not run to its end\n", argv[2 + p]);
                return 2;
            }
            if (i >= 0)
                times[p][i] = t;
        }
    for (int p = 0; p < 2; ++p)
        qsort(times[p], runs, sizeof(double), byValue);
    printf("%.3f %.3f\n", times[0][runs / 2], times[1][runs / 2]);
    return 0;
}
