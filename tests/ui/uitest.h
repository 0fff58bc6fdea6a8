// Helpers shared by the UI tests: the real window, clicks on named controls, pixel probes.
#pragma once

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>

#include <functional>

#include "app/zeitrad.h"
#include "pluginloader/pluginloader.h"
#include "widgets/dialogs.h"
#include "widgets/label.h"
#include "widgets/panel.h"
#include "widgets/picture.h"
#include "widgets/pictureloader.h"
#include "widgets/shape.h"

namespace uitest {

template <typename T = QWidget> T* find(const QWidget* root, const char* name) {
    T* widget = root->findChild<T*>(QString::fromLatin1(name));
    if (!widget)
        qFatal("no control named %s", name);
    return widget;
}

inline void click(const QWidget* root, const char* name) {
    QTest::mouseClick(find<QWidget>(root, name), Qt::LeftButton);
}

// A plugin of the program, loaded; the test ends when it cannot be.
template <typename I> I* loaded(const char* name) {
    const zeitrad::Refused<I*> plugin = zeitrad::pluginloader::plugin<I>(QString::fromLatin1(name));
    if (const auto* refusal = std::get_if<zeitrad::Refusal>(&plugin))
        qFatal("%s", refusal->message.c_str());
    return std::get<I*>(plugin);
}

// The colour a user sees at a point of the window's client area.
inline QRgb pixel(QWidget& window, QPoint at) {
    return window.grab().toImage().pixel(at) & 0xFFFFFFu;
}

inline QRgb rgb(int r, int g, int b) {
    return qRgb(r, g, b) & 0xFFFFFFu;
}

// Whether a control is visible on screen: itself and all its parents up to the window.
inline bool shown(const QWidget* root, const char* name) {
    return find<QWidget>(root, name)->isVisibleTo(root) && root->isVisible();
}

// What the next message box showed: its caption, icon, text and the texts of its buttons.
struct Box {
    QString caption, text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QStringList buttons;
    bool plain = false; // its text shown as plain text, never as markup
};

// Answers the next message box with the button of that text (empty: the first accepting one,
// "OK" of a message) and tells what it showed; `box` stays empty when no box came.
inline void answerNext(Box* box, const QString& button = {}) {
    *box = {};
    zeitrad::widgets::MessageBox::answerNext([box, button](QMessageBox& shown) {
        box->caption = shown.windowTitle();
        box->text = shown.text();
        box->icon = shown.icon();
        box->plain = shown.textFormat() == Qt::PlainText;
        QAbstractButton* clicked = nullptr;
        for (QAbstractButton* b : shown.buttons()) {
            box->buttons << b->text();
            if (!clicked && (button.isEmpty() ? shown.buttonRole(b) == QMessageBox::AcceptRole
                                              : b->text() == button))
                clicked = b;
        }
        return clicked;
    });
}

// Runs action, which is expected to open a message box; returns the box's text, answered with
// its OK button. Returns a null string when no box appeared.
inline QString messageFrom(const std::function<void()>& action, QString* caption = nullptr,
                           QMessageBox::Icon* icon = nullptr) {
    Box box;
    answerNext(&box);
    action();
    // A box that did not come must not answer a later one.
    zeitrad::widgets::MessageBox::answerNext({});
    if (caption)
        *caption = box.caption;
    if (icon)
        *icon = box.icon;
    return box.text;
}

// A shown main window, past the start screen unless asked otherwise.
struct Window {
    TZeitrad window;
    explicit Window(bool pastStart = true) {
        window.show();
        if (!QTest::qWaitForWindowExposed(&window))
            qFatal("window not exposed");
        // The screens hidden at start are built by the window itself after its first paint.
        if (!QTest::qWaitFor([this] { return window.findChild<QWidget*>("Panel1") != nullptr; }))
            qFatal("screens not built after the first paint");
        if (pastStart)
            click(&window, "Button4");
    }
};

} // namespace uitest
