// democreature IMAGES_DIR BODY_DATA_DIR: writes the demo creature's sprite and attachment
// files; the build runs it into its own tree.
#include <cstdio>
#include <string>

#include "tools/democreature/DemoCreature.h"

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: democreature IMAGES_DIR BODY_DATA_DIR\n");
        return 2;
    }
    std::string error;
    if (!democreature::WriteDemoCreature(argv[1], argv[2], error)) {
        std::fprintf(stderr, "democreature: %s\n", error.c_str());
        return 1;
    }
    return 0;
}
