#include "app/frmmain.h"
#include "runtime/app.h"

int main(int argc, char** argv) { return rt::App::run<frmMain>(argc, argv); }
