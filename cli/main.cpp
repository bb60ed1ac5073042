// Entry of the `lumora` command-line tool.
#include <iostream>
#include <string>
#include <vector>

#include "cli/Commands.h"
#include "cli/Interrupts.h"
#include "embedhost/FrameHeap.h"

int main(int argc, char **argv) {
    embedhost::keepFrameBuffersInHeap();
    lumora::cli::removeTemporariesOnInterrupt();
    const std::vector<std::string> args(argv + (argc > 0 ? 1 : 0), argv + argc);
    const int status = lumora::cli::runCommandLine(args, lumora::cli::allCommands(), std::cout, std::cerr);
    std::cout.flush();
    if (!std::cout) {
        std::cerr << "lumora: cannot write the output\n";
        return 1;
    }
    return status;
}
