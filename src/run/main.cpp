#include <cstdio>

// The scenario runner's command line; the script language is in run/script.*.
int main(int argc, char** argv) {
    (void)argc;
    (void)argv;
    std::fprintf(stderr, "qtr5-run: scripts are not supported yet\n");
    return 2;
}
