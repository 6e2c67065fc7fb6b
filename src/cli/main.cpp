#include <cstdio>
#include <cstring>

#include "app/Version.h"

int main(int argc, char* argv[])
{
    if (argc > 1 && std::strcmp(argv[1], "--version") == 0) {
        std::printf("zephrix-cli %s\n", zephrix::versionText().c_str());
        return 0;
    }
    std::printf("usage: zephrix-cli [--version] [--help]\n");
    return 0;
}
