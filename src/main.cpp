#include "RunControl.h"

int main(int argc, char** argv) { return TrovexMain(argc, argv); }
