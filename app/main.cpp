#include "app/program.h"

int main(int argc, char** argv)
{
    const auto desktop = tavlo::createDesktop(argc, argv);
    return tavlo::runWindowProgram(*desktop);
}
