#include "app/windows.h"

#include "app/frmabout.h"
#include "app/frmhelp.h"
#include "app/frmothersymbols.h"
#include "app/frmpartial.h"
#include "app/frmsymbols.h"
#include "lessons/dimaug/frmdimaug.h"
#include "lessons/dominant/frmdominant.h"
#include "lessons/extensions/frmmajminext.h"
#include "lessons/inversions/frminversions.h"
#include "lessons/majorminor/frmbasic.h"
#include "lessons/seventh/frm7thtype.h"
#include "lessons/susadd/frmsusadd.h"
#include "player/frmpro.h"

template <class T>
static void open() {
    rt::instance<T>().Show();
}

void openAbout() { open<frmAbout>(); }
void openHelp() { open<frmHelp>(); }
void openSymbols() { open<frmSymbols>(); }
void openOtherSymbols() { open<frmOtherSymbols>(); }
void openPartial() { open<frmPartial>(); }
void openBasic() { open<frmBasic>(); }
void open7thType() { open<frm7thType>(); }
void openDominant() { open<frmDominant>(); }
void openDimAug() { open<frmDimAug>(); }
void openInversions() { open<frmInversions>(); }
void openSusAdd() { open<frmSusAdd>(); }
void openMajMinExt() { open<frmMajMinExt>(); }
void openPro() { open<frmPro>(); }
