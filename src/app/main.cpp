#include "build_info.h"

#include <cstdio>

int main() {
    std::printf("Keldoran %s (%s)\n", BuildInfo::version, BuildInfo::buildNumber);
    return 0;
}
