#include "app/startup.h"

int main(int argc, char** argv)
{
    return Vl::Tavix3::UI::runVantor(argc, argv);
}
