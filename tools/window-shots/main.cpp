// Opens windows offscreen and saves a picture of each, for reviewing layouts by eye.
//   window-shots DIR
#include "app/frmabout.h"
#include "app/frmmain.h"
#include "runtime/app.h"

#include <QDir>
#include <cstdio>

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: window-shots DIR\n");
        return 2;
    }
    rt::App::init(argc, argv);
    const QString dir = QString::fromLocal8Bit(argv[1]);
    QDir().mkpath(dir);
    rt::setMessageHandler([](const QString& prompt) { std::printf("message: %s\n", qPrintable(prompt)); });
    auto& main = rt::instance<frmMain>();
    main.Show();
    main.mnuAbout.trigger();
    // Let animated pictures draw their first frame.
    rt::processEventsFor(300);
    int failures = 0;
    for (rt::Form* f : rt::Forms()) {
        const QString path = dir + "/" + QString::fromLatin1(f->Name()) + ".png";
        if (!rt::saveWindowImage(*f, path)) ++failures;
        std::printf("%s\n", qPrintable(path));
    }
    return failures ? 1 : 0;
}
