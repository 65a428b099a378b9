// Build-time tool: converts the project's 6-of-49 Lotto history into the draws file the program ships.
//   mkdraws <history file> <draws file>

#include "tools/LottoHistoryImport.h"

#include <exception>
#include <iostream>

int main(int argc, char **argv)
{
    if (argc != 3) {
        std::cerr << "usage: mkdraws <history file> <draws file>\n";
        return 2;
    }
    try {
        MakeLottoDraws(argv[1], argv[2]);
    } catch (const std::exception &error) {
        std::cerr << "mkdraws: " << error.what() << '\n';
        return 1;
    }
    return 0;
}
