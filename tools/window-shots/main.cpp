// Opens windows offscreen and saves a picture of each, for reviewing layouts by eye.
//   window-shots DIR
#include "app/frmabout.h"
#include "app/frmmain.h"
#include "app/frmsymbols.h"
#include "lessons/dimaug/frmdimaug.h"
#include "lessons/dominant/frmdominant.h"
#include "lessons/extensions/frmmajminext.h"
#include "lessons/inversions/frminversions.h"
#include "lessons/majorminor/frmbasic.h"
#include "lessons/seventh/frm7thtype.h"
#include "lessons/susadd/frmsusadd.h"
#include "player/frmpro.h"
#include "runtime/mmcontrol.h"
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
    main.cmdHelp.click();
    main.cmdPartial.click();
    main.cmdChordSymbols.click();
    // The chord symbols page with one chord type looked up, and the page it opens.
    auto& chordSymbols = rt::instance<frmSymbols>();
    chordSymbols.cmbChordType.setText("Dominant 7th (b9)(#5)");
    chordSymbols.Command1.click();
    chordSymbols.cmdOthersymbols.click();
    // Each lesson with a chord shown, and the print preview holding the last one.
    main.cmdBasic.click();
    auto& basic = rt::instance<frmBasic>();
    basic.lstChordType.setListIndex(0);
    basic.optRoot(7).click();
    basic.optForm(1).click();
    basic.cmdStrumMe.click();
    main.cmd7thType.click();
    auto& seventh = rt::instance<frm7thType>();
    seventh.lstChordType.setListIndex(3);
    seventh.optRoot(10).click();
    seventh.optForm(0).click();
    seventh.cmdStrumMe2.click();
    main.cmdInversions.click();
    auto& inversions = rt::instance<frmInversions>();
    inversions.lstChordType.setListIndex(4);
    inversions.optRoot(9).click();
    inversions.optInversion(1).click();
    inversions.cmdStrumMe4.click();
    main.Command2.click();
    auto& susAdd = rt::instance<frmSusAdd>();
    susAdd.lstChordType.setListIndex(5);
    susAdd.optRoot(11).click();
    susAdd.optForm(3).click();
    susAdd.cmdStrumMe2.click();
    main.Command4.click();
    auto& extensions = rt::instance<frmMajMinExt>();
    extensions.lstChordType.setListIndex(4);
    extensions.optRoot(10).click();
    extensions.optForm(2).click();
    extensions.cmdStrumMe3.click();
    seventh.cmdPrint.click();
    main.Command3.click();
    auto& dominant = rt::instance<frmDominant>();
    dominant.lstChordType.setListIndex(13);
    dominant.optRoot(9).click();
    dominant.optForm(1).click();
    dominant.cmdStrumMe3.click();
    main.cmdAugDim.click();
    auto& dimAug = rt::instance<frmDimAug>();
    dimAug.lstChordType.setListIndex(4);
    dimAug.optRoot(4).click();
    dimAug.optForm(2).click();
    dimAug.cmdStrumMe.click();
    dimAug.cmdMoreDim.click();  // the symmetrical-chords page
    // The progression player (its sound is not needed for a picture).
    rt::configureMidi(rt::MidiOutput::Offline);
    main.Command1.click();
    auto& pro = rt::instance<frmPro>();
    pro.cmbProgression.setListIndex(0);
    pro.optKey(0).click();
    pro.cmdPlayChord.click();
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
