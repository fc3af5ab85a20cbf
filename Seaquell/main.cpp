#include "Seaquell/zeph.h"

// Where SDL brings its own start-up glue (macOS), the glue owns main and calls SDL_main instead.
#ifndef __APPLE__
int main(int argc, char** argv) {
    return real_main(argc, argv);
}
#endif
