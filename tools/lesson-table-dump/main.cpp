// Drives every lesson window offscreen through its real handlers and prints, for every
// chord type, root and form, what the Strum button shows:
//   class  chord type  root  form  diagram <id> <fret label> | message <prompt> | nothing
#include "app/lessonlist.h"
#include "lessons/core/lessonwindow.h"
#include "runtime/app.h"

#include <QStringList>
#include <cstdio>

int main(int argc, char** argv) {
    rt::App::init(argc, argv);
    rt::App::setEndsWhenLastWindowCloses(false);  // no main window here
    QStringList prompts;
    rt::setMessageHandler([&prompts](const QString& p) { prompts << p; });

    for (lessons::LessonWindow* w : allLessonWindows()) {
        w->Show();
        const char* cls = w->Name();
        for (int t = 0; t < w->lstChordType.ListCount(); ++t) {
            for (int root = 0; root < lessons::kRoots; ++root) {
                for (int form = 0; form < lessons::kForms; ++form) {
                    w->lstChordType.setListIndex(t);
                    w->optRoot(root).click();
                    w->optForm(form).click();
                    // The root group switch leaves one Strum button visible.
                    for (const auto& b : w->design().strumButtons)
                        if (b.button->Visible()) {
                            b.button->click();
                            break;
                        }
                    const QString head = QStringLiteral("%1\t%2\t%3\t%4\t").arg(cls, w->lstChordType.Text()).arg(root).arg(form);
                    QString tail;
                    if (!prompts.isEmpty())
                        tail = "message\t" + prompts.join(" | ");
                    else if (w->imgChord.Visible() && !w->imgChord.Picture().isEmpty())
                        tail = QStringLiteral("diagram\t%1\t%2").arg(w->imgChord.Picture().resourceId()).arg(w->lblFretNumber.Caption());
                    else
                        tail = "nothing";
                    prompts.clear();
                    std::printf("%s\n", qPrintable(head + tail));
                }
            }
        }
        w->Unload();
    }
    return 0;
}
