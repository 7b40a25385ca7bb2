#include "app/solvane_application.h"
#include "app/startup.h"

int main(int argc, char **argv) {
    SolvaneApplication app(argc, argv);
    return Startup::run();
}
