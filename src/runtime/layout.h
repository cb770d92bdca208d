#pragma once
// A window's design: its properties and its controls as rows in twips, read by the
// layer at every load. Rows are written with a small builder so that a layout reads
// like a table:
//
//   button(cmdStrumMe, 3600, 7080, 2895, 735).caption("Strum Me").tab(17).isDefault(),

#include "runtime/controls.h"
#include "runtime/mmcontrol.h"
#include "runtime/types.h"

#include <QString>
#include <optional>
#include <vector>

namespace rt {

struct WindowDesign {
    QString caption;
    int left = 0, top = 0;            // stored screen position of the client area, twips
    int width = 0, height = 0;        // client area, twips
    Border border = Border::FixedSingle;
    bool controlBox = true;           // the close box and control menu
    bool minButton = false;
    bool maxButton = false;
    std::optional<Rgb> backColor{};   // none: the system's default colour
    Pointer pointer = Pointer::System;
    Icon icon = Icon::None;
    QString backgroundPicture{};      // a built-in picture drawn at the top-left, never stretched
};

enum class Kind { Button, Option, List, Combo, ComboList, Label, Image, PictureBox, Frame, Line, Browser, Multimedia };

struct ControlRow {
    Control* target = nullptr;
    Kind kind = Kind::Label;
    Control* container = nullptr;  // a frame or picture box; none: the window
    int left = 0, top = 0, width = 0, height = 0;
    // A line's end point, in twips.
    int x2 = 0, y2 = 0;
    int lineWidth = 1;  // pixels

    QString captionText;
    QString tipText;
    int tabIndex = -1;
    std::optional<Font> fontSpec;
    std::optional<Rgb> backColor;
    std::optional<Rgb> foreColor;
    bool visibleFlag = true;
    bool defaultFlag = false;
    bool autoSizeFlag = false;
    bool wordWrapFlag = false;
    bool stretchFlag = false;
    bool borderFlag = false;
    QString pictureResource;
    Control* buddyControl = nullptr;
    QString spokenName;

    ControlRow& caption(const QString& c) { captionText = c; return *this; }
    ControlRow& tip(const QString& t) { tipText = t; return *this; }
    ControlRow& tab(int i) { tabIndex = i; return *this; }
    ControlRow& font(const Font& f) { fontSpec = f; return *this; }
    ControlRow& back(Rgb c) { backColor = c; return *this; }
    ControlRow& fore(Rgb c) { foreColor = c; return *this; }
    ControlRow& hidden() { visibleFlag = false; return *this; }
    ControlRow& isDefault() { defaultFlag = true; return *this; }
    ControlRow& autoSize() { autoSizeFlag = true; return *this; }
    ControlRow& wordWrap() { wordWrapFlag = true; return *this; }
    ControlRow& stretch() { stretchFlag = true; return *this; }
    ControlRow& bordered() { borderFlag = true; return *this; }
    ControlRow& in(Control& c) { container = &c; return *this; }
    ControlRow& picture(const QString& resourcePath) { pictureResource = resourcePath; return *this; }
    // A label's: the control beside it that it names, for screen readers.
    ControlRow& buddy(Control& c) { buddyControl = &c; return *this; }
    // What a screen reader calls a control that has no caption nor label (a picture).
    ControlRow& spoken(const QString& name) { spokenName = name; return *this; }
};

using Layout = std::vector<ControlRow>;

inline ControlRow control(Kind k, Control& c, int left, int top, int width, int height) {
    ControlRow s;
    s.target = &c;
    s.kind = k;
    s.left = left;
    s.top = top;
    s.width = width;
    s.height = height;
    return s;
}
inline ControlRow button(CommandButton& c, int l, int t, int w, int h) { return control(Kind::Button, c, l, t, w, h); }
inline ControlRow option(OptionButton& c, int l, int t, int w, int h) { return control(Kind::Option, c, l, t, w, h); }
inline ControlRow list(ListBox& c, int l, int t, int w, int h) { return control(Kind::List, c, l, t, w, h); }
// A combo box the user may type into.
inline ControlRow combo(ComboBox& c, int l, int t, int w, int h) { return control(Kind::Combo, c, l, t, w, h); }
// A drop-down list: the user can only pick an entry.
inline ControlRow comboList(ComboBox& c, int l, int t, int w, int h) { return control(Kind::ComboList, c, l, t, w, h); }
inline ControlRow label(Label& c, int l, int t, int w, int h) { return control(Kind::Label, c, l, t, w, h); }
inline ControlRow image(Image& c, int l, int t, int w, int h) { return control(Kind::Image, c, l, t, w, h); }
inline ControlRow pictureBox(PictureBox& c, int l, int t, int w, int h) { return control(Kind::PictureBox, c, l, t, w, h); }
inline ControlRow frame(Frame& c, int l, int t, int w, int h) { return control(Kind::Frame, c, l, t, w, h); }
inline ControlRow browser(WebBrowser& c, int l, int t, int w, int h) { return control(Kind::Browser, c, l, t, w, h); }
// The multimedia control: never seen, driven by its properties only.
inline ControlRow multimedia(MMControl& c, int l, int t, int w, int h) { return control(Kind::Multimedia, c, l, t, w, h).hidden(); }
inline ControlRow line(Line& c, int x1, int y1, int x2, int y2, int pixelWidth) {
    ControlRow s = control(Kind::Line, c, x1, y1, 0, 0);
    s.x2 = x2;
    s.y2 = y2;
    s.lineWidth = pixelWidth;
    return s;
}

// A menu item: level 0 is a menu on the bar, 1 its entry, 2 a submenu's entry.
// The caption "-" is a separator.
struct MenuRow {
    Menu* target;
    int level;
    QString caption;
};
using MenuBar = std::vector<MenuRow>;

}  // namespace rt
