#include "lessons/majorminor/frmbasic.h"

#include "lessons/majorminor/majorminortable.h"

using namespace lessons;

frmBasic::frmBasic() : LessonWindow("frmBasic") {
    cmdStrumMe.Click = [this] { cmdStrumMe_Click(); };

    LessonDesign d;  // the lesson core's layout is this window's
    d.window = {.caption = "Basic Chords - Strumvane", .left = 825, .top = 300, .width = 10275, .height = 8115};
    d.strumButtons = {{.button = &cmdStrumMe, .isDefault = true, .tab = 17}};
    d.rootGroups = {{&cmdStrumMe, 0, 11}};
    d.chordTypes = {"Major", "minor"};
    d.table = kMajorMinorTable;
    setDesign(std::move(d));
}

void frmBasic::cmdStrumMe_Click() { Strum(cmdStrumMe); }
