#include <csignal>
#include <iostream>
#include <string>
#include <vector>

#include <unistd.h>

#include "descriptor_output.h"
#include "folix_cli.h"
#include "results/file_output.h"

int main(int argc, char** argv)
{
    // A reader that went away is then a write error with a reason, not a silent end.
    std::signal(SIGPIPE, SIG_IGN);
    std::ios::sync_with_stdio(false);
    folix::DescriptorOutput standardOutput(STDOUT_FILENO);
    std::ostream out(&standardOutput);
    const std::vector<std::string> args(argv + 1, argv + argc);
    const int status = folix::runFolix(args, std::cin, out, std::cerr, ::isatty(STDERR_FILENO) == 1);
    out.flush();
    if (standardOutput.error() == 0) return status;
    std::cerr << "error: cannot write standard output: " << folix::systemReason(standardOutput.error()) << '\n';
    return 1;
}
