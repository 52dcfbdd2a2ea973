// Writes the program's picture as a PNG file for the desktop's menus (run at build time), so
// the installed icon is the one the windows show.
//   veltra_icon <size> <file.png>
#include "editor/shell/ui/ToolbarIcons.h"

#include <QGuiApplication>
#include <QPixmap>
#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: veltra_icon <size> <file.png>\n");
        return 2;
    }
    QGuiApplication app(argc, argv);
    const int size = std::atoi(argv[1]);
    if (size < 16 || size > 512 || !vt::ProgramPicture(size).save(argv[2], "PNG")) {
        std::fprintf(stderr, "veltra_icon: could not write %s\n", argv[2]);
        return 1;
    }
    return 0;
}
