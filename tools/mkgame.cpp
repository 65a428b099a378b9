// mkgame <description> <game file>: makes a game definition file from its readable description,
// refusing a description of an inconsistent game.

#include "engine/UGameDescription.h"

#include <cstdio>

int main(int argc, char **argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: mkgame <description> <game file>\n");
        return 2;
    }
    const std::string fault = MakeGameFile(argv[1], argv[2]);
    if (!fault.empty()) {
        std::fprintf(stderr, "mkgame: %s\n", fault.c_str());
        return 1;
    }
    return 0;
}
