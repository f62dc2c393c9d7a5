#include "app/startup.h"

int main(int argc, char** argv) { return Vl::Orvane::UI::runTestVantor(argc, argv); }
