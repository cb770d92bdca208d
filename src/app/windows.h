#pragma once
// Opening a window: a reference to its class (creating its single instance if needed),
// then Show. One function per window, shared by every button and menu item that opens it.

void openHelp();
void openSymbols();
void openOtherSymbols();
void openBasic();
void open7thType();
void openInversions();
void openDimAug();
void openSusAdd();
void openPartial();
void openDominant();
void openMajMinExt();
void openPro();
void openAbout();
