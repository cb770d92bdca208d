#include "app/windows.h"

#include "app/frmabout.h"

template <class T>
static void open() {
    rt::instance<T>().Show();
}

void openAbout() { open<frmAbout>(); }

// These lessons and pages are not in the program yet; their buttons and menu items open
// them once they are.
void openHelp() {}
void openSymbols() {}
void openOtherSymbols() {}
void openBasic() {}
void open7thType() {}
void openInversions() {}
void openDimAug() {}
void openSusAdd() {}
void openPartial() {}
void openDominant() {}
void openMajMinExt() {}
void openPro() {}
