#include "platform/program.h"

int main(int argc, char** argv) { return tavlo::runProgram(argc, argv); }
