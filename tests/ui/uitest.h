// Helpers shared by the UI tests: the real window, clicks on named controls, pixel probes.
#pragma once

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <functional>

#include "app/zeitrad.h"
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

// Runs action, which is expected to open a modal message box; returns the box's text and
// closes it with its OK button. Returns a null string when no box appeared.
inline QString messageFrom(const std::function<void()>& action, QString* caption = nullptr,
                           QMessageBox::Icon* icon = nullptr) {
    QString text;
    QTimer::singleShot(0, [&] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            text = box->text();
            if (caption)
                *caption = box->windowTitle();
            if (icon)
                *icon = box->icon();
            box->button(QMessageBox::Ok)->click();
        }
    });
    action();
    return text;
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
