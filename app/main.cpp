#include "app/command_line.h"
#include "app/program.h"
#include "platform/console.h"

int main(int argc, char** argv)
{
    const tavlo::CommandLine line = tavlo::readCommandLine(tavlo::programArguments(argc, argv));
    if (line.action != tavlo::CommandLine::Action::Window) {
        // No window toolkit is started: the run needs no display at all.
        const auto console = tavlo::createConsole();
        return tavlo::runCommandLine(line, *console);
    }
    const auto desktop = tavlo::createDesktop(argc, argv);
    return tavlo::runWindowProgram(*desktop, line.searchFolder);
}
