// Starts the program as usual and, once the main window is on screen, prints the monotonic
// clock in nanoseconds; then leaves. It prints nothing and fails when no window showed.
#include "app/frmmain.h"
#include "runtime/app.h"

#include <QWidget>

#include <cstdio>
#include <ctime>

int main(int argc, char** argv) {
    rt::App::init(argc, argv);
    frmMain& main = rt::instance<frmMain>();
    main.Show();
    rt::processEventsFor(0);
    if (!main.isLoaded() || !main.topLevelWidget()->isVisible()) std::_Exit(1);
    timespec t{};
    clock_gettime(CLOCK_MONOTONIC, &t);
    std::printf("%lld\n", static_cast<long long>(t.tv_sec) * 1000000000LL + t.tv_nsec);
    std::fflush(stdout);
    std::_Exit(0);
}
