#pragma once

// The one symbol the program takes from its shared library.
int statdeskMain(int argc, char** argv);
