#include "runtime/form.h"

#include "runtime/app.h"
#include "runtime/cursors_p.h"
#include "runtime/errors.h"
#include "runtime/faults.h"
#include "runtime/widgets_p.h"

#include <QAction>
#include <QCloseEvent>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QRadioButton>
#include <QScreen>
#include <QTimer>
#include <QApplication>
#include <algorithm>
#include <map>

namespace rt {

namespace {

std::vector<Form*>& loadedForms() {
    static std::vector<Form*> forms;
    return forms;
}

QRect pixelRect(const ControlRow& s) {
    return QRect(twipsToPixels(s.left), twipsToPixels(s.top), twipsToPixels(s.width), twipsToPixels(s.height));
}

bool takesFocus(Kind k) {
    switch (k) {
    case Kind::Button:
    case Kind::Option:
    case Kind::List:
    case Kind::Combo:
    case Kind::ComboList:
    case Kind::PictureBox:
    case Kind::Browser:
        return true;
    default:
        return false;
    }
}

}  // namespace

std::vector<Form*> Forms() { return loadedForms(); }

namespace {
int g_handlersRunning = 0;
}  // namespace

bool handlerRunning() { return g_handlersRunning > 0; }

void dispatch(const std::function<void()>& handler) {
    if (App::ended() || !handler) return;
    ++g_handlersRunning;
    struct Done {
        ~Done() { --g_handlersRunning; }
    } done;
    try {
        handler();
    } catch (const RuntimeError& e) {
        App::fatal(QStringLiteral("Run-time error '%1':\n\n%2").arg(e.number()).arg(e.description()));
    }
}

Form::Form(const char* className) : className_(className) {}

Form::~Form() = default;

void Form::unregisterControl(Control* c) { controls_.erase(std::remove(controls_.begin(), controls_.end(), c), controls_.end()); }

Control* Form::findControl(const QString& name) const {
    for (Control* c : controls_)
        if (c->Name() == name) return c;
    return nullptr;
}

QString Form::Caption() const { return window_ ? window_->windowTitle() : Window().caption; }

double Form::Height() const {
    if (!window_) throw RuntimeError(errObjectUnloaded, "Object was unloaded");
    return pixelsToTwips(window_->frameGeometry().height());
}

void Form::Show() {
    if (!window_) Load();
    if (!window_) return;  // Form_Load unloaded it again
    const bool first = !window_->isVisible();
    qCDebug(lcWindows).noquote() << "show:" << window_->windowTitle() << windowSeen(window_);
    // A window the user minimised comes back as it was, whatever Qt last heard of it.
    if (!first) bringBack(window_);
    window_->show();
    window_->raise();
    window_->activateWindow();
    if (first) {
        // The focus starts on the focusable control with the lowest tab index.
        QWidget* start = nullptr;
        int best = INT32_MAX;
        for (Control* c : controls_) {
            QWidget* w = c->boundWidget();
            if (!w || w->focusPolicy() == Qt::NoFocus || !w->isVisibleTo(window_)) continue;
            int tab = w->property("tabIndex").toInt();
            if (tab < best) best = tab, start = w;
        }
        if (start) start->setFocus(Qt::OtherFocusReason);
    }
}

void Form::Load() {
    if (window_) return;
    build();
    loadedForms().push_back(this);
    Form_Load();
}

void Form::build() {
    const WindowDesign ws = Window();
    auto* win = new FormWindow(this, ws);
    window_ = win;

    struct Focusable {
        int tab;
        int order;
        QWidget* w;
    };
    std::vector<Focusable> focusables;
    std::map<const Control*, QWidget*> containers;
    std::vector<std::pair<QLabel*, Control*>> buddies;

    const Layout rows = Design();
    int order = 0;
    for (const ControlRow& s : rows) {
        QWidget* parent = win->client();
        if (s.container) {
            auto it = containers.find(s.container);
            parent = it != containers.end() ? it->second : win->client();
        }
        QWidget* w = nullptr;
        switch (s.kind) {
        case Kind::Button: {
            auto* b = new ButtonWidget(parent);
            b->setAutoDefault(false);
            if (s.backColor) {
                // A graphical-style button: its own face colour.
                QPalette p = b->palette();
                p.setColor(QPalette::Button, qtColor(*s.backColor));
                b->setPalette(p);
            }
            // Long captions wrap onto further lines inside the button.
            b->resize(pixelRect(s).size());
            new ButtonCaption(s.captionText, b);
            b->setProperty("captionText", s.captionText);
            b->setAccessibleName(accessibleCaption(s.captionText));
            Control* target = s.target;
            QObject::connect(b, &QPushButton::clicked, b, [target] {
                auto* cb = static_cast<CommandButton*>(target);
                dispatch(cb->Click);
            });
            if (s.defaultFlag) {
                defaultButton_ = static_cast<CommandButton*>(s.target);
                b->setDefault(true);
            }
            w = b;
            break;
        }
        case Kind::Option: {
            auto* o = new QRadioButton(s.captionText, parent);
            Control* target = s.target;
            // Becoming set is a Click, whatever set it: the mouse, the keys, an assistive
            // technology's action or code. Being cleared is not.
            QObject::connect(o, &QRadioButton::toggled, o, [o, target](bool set) {
                if (!set) return;
                // Tab into the group lands on the set option, as in the platform's dialogs;
                // Qt would land on whichever option had the focus last.
                for (auto* other : o->parentWidget()->findChildren<QRadioButton*>(Qt::FindDirectChildrenOnly))
                    other->setFocusPolicy(other == o ? Qt::StrongFocus : Qt::ClickFocus);
                dispatch(static_cast<OptionButton*>(target)->Click);
            });
            o->setAutoFillBackground(s.backColor.has_value());
            w = o;
            break;
        }
        case Kind::List: {
            auto* l = new QListWidget(parent);
            l->setSelectionMode(QAbstractItemView::SingleSelection);
            QItemSelectionModel* own = l->selectionModel();
            l->setSelectionModel(new SingleChoiceSelection(l->model(), l));
            delete own;
            Control* target = s.target;
            // A pick, not the focus arriving, is a Click.
            QObject::connect(l, &QListWidget::itemSelectionChanged, l,
                             [target] { dispatch(static_cast<ListBox*>(target)->Click); });
            w = l;
            break;
        }
        case Kind::Combo:
        case Kind::ComboList: {
            auto* c = new DropDownWidget(parent);
            c->setEditable(s.kind == Kind::Combo);
            c->setInsertPolicy(QComboBox::NoInsert);
            if (s.kind == Kind::Combo) {
                // The edit field holds exactly what was typed: no completion, and no case
                // folding onto a list entry when the focus leaves it.
                c->setCompleter(nullptr);
                c->lineEdit()->setText(s.captionText);
            } else if (s.backColor) {
                // The style would draw a drop-down list as a shaded button; it shows its own
                // colour, and so does its open list.
                const Rgb b = *s.backColor;
                c->setStyleSheet(QStringLiteral("QComboBox { background-color: rgb(%1,%2,%3); border: 1px solid rgb(96,96,96); padding: 1px 4px; }"
                                                "QComboBox QAbstractItemView { background-color: rgb(%1,%2,%3); }")
                                     .arg(b.r).arg(b.g).arg(b.b));
            }
            Control* target = s.target;
            QObject::connect(c, &QComboBox::activated, c, [target](int) { dispatch(static_cast<ComboBox*>(target)->Click); });
            w = c;
            break;
        }
        case Kind::Label: {
            auto* l = new QLabel(s.captionText, parent);
            l->setAlignment(Qt::AlignLeft | Qt::AlignTop);
            l->setWordWrap(s.wordWrapFlag);
            l->setProperty("autoSize", s.autoSizeFlag);
            w = l;
            break;
        }
        case Kind::Image: {
            auto* im = new ImageWidget(parent);
            im->stretch = s.stretchFlag;
            im->border = s.borderFlag;
            if (!s.pictureResource.isEmpty()) im->setPicture(LoadBuiltInPicture(s.pictureResource));
            w = im;
            break;
        }
        case Kind::PictureBox: {
            auto* p = new PictureBoxWidget(parent);
            if (!s.pictureResource.isEmpty()) p->picture = LoadBuiltInPicture(s.pictureResource);
            w = p;
            break;
        }
        case Kind::Frame: {
            w = new FrameWidget(parent, s.captionText);
            break;
        }
        case Kind::Line: {
            const Rgb c = s.foreColor.value_or(kBlack);
            auto* l = new LineWidget(parent, qtColor(c), s.lineWidth);
            const int x1 = twipsToPixels(s.left), y1 = twipsToPixels(s.top);
            const int x2 = twipsToPixels(s.x2), y2 = twipsToPixels(s.y2);
            const int half = s.lineWidth / 2;
            l->setGeometry(QRect(QPoint(std::min(x1, x2) - half, std::min(y1, y2) - half),
                                 QPoint(std::max(x1, x2) + s.lineWidth - half - 1, std::max(y1, y2) + s.lineWidth - half - 1)));
            l->setAttribute(Qt::WA_TransparentForMouseEvents);
            w = l;
            break;
        }
        case Kind::Browser: {
            w = new BrowserWidget(parent);
            break;
        }
        case Kind::Multimedia: {
            // Its events come from a timer on this thread while the window is loaded, and from
            // the device when the file ends or the output goes (mmcontrol.cpp).
            w = new QWidget(parent);
            auto* timer = new QTimer(w);
            Control* target = s.target;
            QObject::connect(timer, &QTimer::timeout, w, [target] { static_cast<MMControl*>(target)->raiseStatusUpdate(); });
            timer->start(kStatusUpdateInterval);
            // In the background, so the window opens and paints meanwhile.
            preloadMidi();
            break;
        }
        }

        // The font first: an auto-sizing label measures its caption in it.
        if (s.fontSpec) w->setFont(qtFont(*s.fontSpec));
        if (s.kind != Kind::Line) w->setGeometry(pixelRect(s));
        if (s.kind == Kind::List) showWholeRows(static_cast<QListWidget*>(w));
        if (s.kind == Kind::Label && s.autoSizeFlag) {
            w->adjustSize();
            w->move(pixelRect(s).topLeft());
        }
        w->setObjectName(s.target->Name());
        if (s.backColor && s.kind != Kind::Button) {
            const bool box = s.kind == Kind::List || s.kind == Kind::Combo || s.kind == Kind::ComboList;
            box ? setBoxColor(w, *s.backColor) : setBackColor(w, *s.backColor);
        }
        if (s.foreColor && s.kind != Kind::Line) {
            QPalette p = w->palette();
            p.setColor(QPalette::WindowText, qtColor(*s.foreColor));
            p.setColor(QPalette::ButtonText, qtColor(*s.foreColor));
            p.setColor(QPalette::Text, qtColor(*s.foreColor));
            w->setPalette(p);
        }
        if (!s.tipText.isEmpty()) w->setToolTip(s.tipText);
        if (!s.spokenName.isEmpty()) w->setAccessibleName(s.spokenName);
        keepOwnToolTip(w);
        if (s.buddyControl && s.kind == Kind::Label) buddies.emplace_back(static_cast<QLabel*>(w), s.buddyControl);
        w->setProperty("tabIndex", s.tabIndex);
        w->setFocusPolicy(takesFocus(s.kind) ? Qt::StrongFocus : Qt::NoFocus);
        if (s.kind == Kind::PictureBox || s.kind == Kind::Frame) containers[s.target] = w;
        if (!s.visibleFlag) w->setVisible(false);
        s.target->bind(w);
        if (takesFocus(s.kind)) focusables.push_back({s.tabIndex, order, w});
        ++order;
    }

    // A list or combo box is named by the label its layout gives it.
    for (const auto& [label, named] : buddies) {
        if (QWidget* target = named->boundWidget()) {
            label->setBuddy(target);
            target->setAccessibleName(accessibleCaption(label->text()));
        }
    }
    // A screen reader follows the caret into a combo box's edit field and reads the field as
    // the box: it has the box's name and description.
    for (auto* box : win->findChildren<DropDownWidget*>()) {
        if (QLineEdit* field = box->lineEdit()) {
            field->setAccessibleName(box->accessibleName());
            field->setAccessibleDescription(box->toolTip());
        }
    }

    // Tab order by tab index; labels, frames, images and lines never take the focus.
    std::stable_sort(focusables.begin(), focusables.end(), [](const Focusable& a, const Focusable& b) { return a.tab < b.tab; });
    for (size_t i = 1; i < focusables.size(); ++i) QWidget::setTabOrder(focusables[i - 1].w, focusables[i].w);

    // The menu bar.
    const MenuBar menus = Menus();
    if (!menus.empty()) {
        QMenuBar* bar = win->menuBar();
        QMenu* parents[3] = {nullptr, nullptr, nullptr};
        for (size_t i = 0; i < menus.size(); ++i) {
            const MenuRow& m = menus[i];
            const bool hasChildren = i + 1 < menus.size() && menus[i + 1].level > m.level;
            QMenu* parentMenu = m.level > 0 ? parents[m.level - 1] : nullptr;
            if (m.caption == "-") {
                QAction* sep = parentMenu->addSeparator();
                sep->setObjectName(m.target->Name());
                m.target->bindAction(sep);
                continue;
            }
            if (hasChildren) {
                QMenu* menu = parentMenu ? parentMenu->addMenu(m.caption) : bar->addMenu(m.caption);
                // Every separator shows where the layout puts it, first in its menu too.
                menu->setSeparatorsCollapsible(false);
                menu->setObjectName(m.target->Name());
                menu->menuAction()->setObjectName(m.target->Name());
                parents[m.level] = menu;
                m.target->bindAction(menu->menuAction());
            } else {
                QAction* a = parentMenu ? parentMenu->addAction(m.caption) : bar->addAction(m.caption);
                a->setObjectName(m.target->Name());
                Menu* target = m.target;
                QObject::connect(a, &QAction::triggered, win, [target] { dispatch(target->Click); });
                m.target->bindAction(a);
            }
        }
    }

    win->finishLayout();
}

void Form::Unload(int mode) {
    if (!window_ || unloading_) return;
    raiseIfSimulated(*this, Operation::Unload);
    unloading_ = true;
    int cancel = 0;
    try {
        Form_QueryUnload(cancel, mode);
        if (!cancel) Form_Unload(cancel);
    } catch (...) {
        unloading_ = false;
        throw;
    }
    if (cancel) {
        unloading_ = false;
        return;
    }
    destroy();
    unloading_ = false;
}

void Form::destroy() {
    FormWindow* win = window_;
    window_ = nullptr;
    defaultButton_ = nullptr;
    for (Control* c : controls_) c->unbind();
    auto& forms = loadedForms();
    forms.erase(std::remove(forms.begin(), forms.end(), this), forms.end());
    win->hide();
    // The window may be destroyed from inside one of its own handlers: let the event finish first.
    win->deleteLater();
    if (forms.empty()) App::noteFormsEmpty();
}

}  // namespace rt
