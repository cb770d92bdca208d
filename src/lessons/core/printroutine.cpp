#include "lessons/core/printroutine.h"

#include "lessons/core/frmprintme.h"
#include "lessons/core/lessonwindow.h"
#include "lessons/core/messages.h"
#include "runtime/app.h"

namespace lessons {

void PrintRoutine(LessonWindow& lesson) {
    int hit = -1;
    for (int i = 0; i < kRoots && hit < 0; ++i) {
        const bool shown = lesson.imgChord.Visible();
        if (shown && lesson.optRoot(i).Value()) hit = i;
    }
    if (hit < 0) {
        rt::MsgBox(kNothingToPrint);
        return;
    }
    // Shown first, then filled.
    frmPrintMe& preview = rt::instance<frmPrintMe>();
    preview.Show();
    preview.Image1.setPicture(lesson.imgChord.Picture());
    preview.Label1.setCaption(lesson.lblFretNumber.Caption());
    preview.Label2.setCaption(lesson.optRoot(hit).Caption() + " " + lesson.lstChordType.Text());
}

}  // namespace lessons
