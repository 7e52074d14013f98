#include "shell/Entry.h"

int main(int argc, char** argv) { return zidezo::app::RunProgram(argc, argv); }
