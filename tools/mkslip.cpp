// mkslip <description> <games description folder> <layout file>: makes a play-slip layout file from its
// readable description, refusing a layout the program would not read or whose boxes overlap or leave
// an A4 page.

#include "output/SlipDescription.h"

#include <cstdio>

int main(int argc, char **argv)
{
    if (argc != 4) {
        std::fprintf(stderr, "usage: mkslip <description> <games description folder> <layout file>\n");
        return 2;
    }
    const std::string fault = MakeSlipFile(argv[1], argv[2], argv[3]);
    if (!fault.empty()) {
        std::fprintf(stderr, "mkslip: %s\n", fault.c_str());
        return 1;
    }
    return 0;
}
