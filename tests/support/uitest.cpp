#include "uitest.h"

#include <QApplication>
#include <QImage>
#include <QTest>

void UiTest::SetUp() {
    rt::App::resetEnded();
    rt::App::setEndsWhenLastWindowCloses(endsWithLastWindow_);
    rt::setMessageHandler([this](const QString& p) { prompts << p; });
}

void UiTest::TearDown() {
    rt::App::resetEnded();
    for (rt::Form* f : rt::Forms()) f->Unload();
    settle();
    rt::App::resetEnded();
    rt::App::setEndsWhenLastWindowCloses(true);
    rt::setMessageHandler({});
}

void UiTest::settle() {
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

QWidget* UiTest::widget(const rt::Form& form, const QString& name) {
    rt::Control* c = form.findControl(name);
    if (!c) {
        ADD_FAILURE() << "no control " << name.toStdString() << " in " << form.Name();
        return nullptr;
    }
    return c->widget();
}

void UiTest::click(QWidget* w) {
    ASSERT_NE(w, nullptr);
    QTest::mouseClick(w, Qt::LeftButton, Qt::NoModifier, QPoint(w->width() / 2, qMin(w->height() / 2, 8)));
}

void UiTest::click(const rt::Form& form, const QString& name) { click(widget(form, name)); }

void UiTest::key(const rt::Form& form, int qtKey, Qt::KeyboardModifiers mods) {
    if (!form.isLoaded()) {
        ADD_FAILURE() << "a key for " << form.Name() << ", which is not loaded";
        return;
    }
    QWidget* target = form.topLevelWidget()->focusWidget();
    if (!target) target = form.topLevelWidget();
    QTest::keyClick(target, static_cast<Qt::Key>(qtKey), mods);
}

QString UiTest::focusName(const rt::Form& form) {
    if (!form.isLoaded()) {
        ADD_FAILURE() << form.Name() << " is not loaded";
        return {};
    }
    QWidget* f = form.topLevelWidget()->focusWidget();
    return f ? f->objectName() : QString();
}

bool UiTest::framed(const rt::CommandButton& button) {
    QWidget* w = button.widget();
    const QImage img = w->grab().toImage().scaled(w->size()).convertToFormat(QImage::Format_RGB32);
    return qGray(img.pixel(0, img.height() / 2)) < 64 && qGray(img.pixel(img.width() / 2, 0)) < 64;
}
