#include <iostream>

#include "run/cli.h"

// The scenario runner; everything but this entry point is in qtr5_runlib.
int main(int argc, char** argv) { return RunnerMain(argc, argv, std::cin, std::cout, std::cerr); }
