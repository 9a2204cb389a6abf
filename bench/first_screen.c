/* The yardstick for a calculator's start: a minimal C program that writes
 * its first argument (the calculator's first screen) in one write and then
 * waits for input, as the calculator does at its first prompt. */
#include <string.h>
#include <unistd.h>

int main(int argc, char** argv) {
    char byte;
    if (argc > 1 && write(STDOUT_FILENO, argv[1], strlen(argv[1])) < 0) {
        return 1;
    }
    return read(STDIN_FILENO, &byte, 1) < 0;
}
