// Writes the program's icon as a PNG file for the desktop entry.
#include <cstdio>

#include "app/pictures.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fputs("usage: vortane_icon_writer FILE.png\n", stderr);
        return 2;
    }
    return vortane::IconImage().save(QString::fromLocal8Bit(argv[1]), "PNG") ? 0 : 1;
}
