#include "platform/qt/qt_program.h"

int main(int argc, char** argv) { return tavlo::runQtProgram(argc, argv); }
