#include "ClientEntry.h"

int main(int argc, char** argv) {
    return statdeskMain(argc, argv);
}
