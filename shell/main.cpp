#include "Startup.h"

int main(int argc, char** argv) {
    return kelvora::runKelvora(argc, argv);
}
