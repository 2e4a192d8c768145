#include <cstdio>

#include "class_file_reader.h"

// class_file_probe FILE: loads one class data file and says how it went.
int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s FILE\n", argv[0]);
        return 2;
    }
    vostrel::ClassTable table;
    if (const auto error = vostrel::loadClassData(argv[1], table)) {
        std::printf("refused: %s\n", vostrel::describe(*error).c_str());
        return 1;
    }
    std::printf("loaded %d classes\n", table.classCount());
    return 0;
}
