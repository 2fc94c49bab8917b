#include <csignal>
#include <iostream>
#include <string>
#include <vector>

#include <unistd.h>

#include "descriptor_input.h"
#include "descriptor_output.h"
#include "folix_cli.h"
#include "interruption.h"
#include "results/file_output.h"

int main(int argc, char** argv)
{
    // A reader that went away is then a write error with a reason, not a silent end.
    std::signal(SIGPIPE, SIG_IGN);
    folix::ignoreFileSizeSignal();
    std::ios::sync_with_stdio(false);
    folix::DescriptorOutput standardOutput(STDOUT_FILENO);
    std::ostream out(&standardOutput);
    // Read so that Ctrl+C during a batch also ends a wait for more input.
    folix::DescriptorInput standardInput(STDIN_FILENO, folix::interrupted);
    std::istream in(&standardInput);
    const std::vector<std::string> args(argv + 1, argv + argc);
    int status = folix::runFolix(args, in, out, std::cerr, ::isatty(STDERR_FILENO) == 1);
    out.flush();
    if (standardOutput.error() != 0) {
        std::cerr << "error: cannot write standard output: " << folix::systemReason(standardOutput.error()) << '\n';
        status = 1;
    }
    // The shell that started it then stops its own loop or script too.
    folix::endAsInterrupted();
    return status;
}
