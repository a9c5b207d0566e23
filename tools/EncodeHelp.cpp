// Build step: writes the help file the program reads (CP1251, CR LF line ends)
// from its UTF-8 source. A character without a CP1251 form fails the build
// instead of turning into "?" in front of the user.
#include <algorithm>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

#include "common/Cp1251.h"

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fputs("использование: EncodeHelp ИСХОДНЫЙ.utf8.txt Help.txt\n", stderr);
        return 2;
    }
    std::ifstream in(argv[1], std::ios::binary);
    std::stringstream source;
    source << in.rdbuf();
    if (!in) {
        std::fprintf(stderr, "EncodeHelp: не удаётся прочитать %s\n", argv[1]);
        return 1;
    }
    std::string text;
    for (char c : source.str()) {
        if (c == '\r') continue;
        if (c == '\n') text += '\r';
        text += c;
    }
    const std::string encoded = tabulizer::Utf8ToCp1251(text);
    if (std::count(encoded.begin(), encoded.end(), '?') != std::count(text.begin(), text.end(), '?')) {
        std::fprintf(stderr, "EncodeHelp: в %s есть символы вне кодировки CP1251\n", argv[1]);
        return 1;
    }
    std::ofstream out(argv[2], std::ios::binary);
    out << encoded;
    if (!out.flush()) {
        std::fprintf(stderr, "EncodeHelp: не удаётся записать %s\n", argv[2]);
        return 1;
    }
    return 0;
}
