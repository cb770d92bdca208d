#include "app/lessonlist.h"

#include "lessons/dimaug/frmdimaug.h"
#include "lessons/dominant/frmdominant.h"
#include "lessons/extensions/frmmajminext.h"
#include "lessons/inversions/frminversions.h"
#include "lessons/majorminor/frmbasic.h"
#include "lessons/seventh/frm7thtype.h"
#include "lessons/susadd/frmsusadd.h"

std::vector<lessons::LessonWindow*> allLessonWindows() {
    return {&rt::instance<frmBasic>(), &rt::instance<frm7thType>(), &rt::instance<frmInversions>(), &rt::instance<frmDominant>(), &rt::instance<frmDimAug>(), &rt::instance<frmSusAdd>(), &rt::instance<frmMajMinExt>()};
}
