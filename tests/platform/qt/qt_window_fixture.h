#pragma once

#include "headless_timer.h"
#include "qt_backend.h"
#include "qt_window.h"
#include "tform1.h"

#include <QApplication>
#include <QDialog>
#include <QTest>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <string>

// The main window on the Qt backend, shown and active on the offscreen platform, with a timer
// whose ticks the test fires.
struct QtShownWindow {
    QtShownWindow() {
        auto scripted = std::make_unique<platform::HeadlessTimer>();
        timer = scripted.get();
        TForm1Services services;
        services.timer = std::move(scripted);
        form = std::make_unique<TForm1>(backend, std::move(services));
        window().show();
        window().activateWindow();
        if (!QTest::qWaitForWindowActive(&window()))
            ADD_FAILURE() << "the window never became active";
    }

    platform::QtWindow& window() const { return *backend.window(); }

    // The widget that shows the control of that name, as the Qt class it is.
    template <class W = QWidget> W* widget(const std::string& name) const {
        return window().findChild<W*>(QString::fromStdString(name));
    }

    platform::QtBackend backend;
    platform::HeadlessTimer* timer = nullptr;
    std::unique_ptr<TForm1> form;
};

// Runs `user` on the modal box once it is open, active and running its event loop.
inline void whenOpen(std::function<void(QDialog&)> user) {
    QTimer::singleShot(0, [user] {
        auto* box = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        ASSERT_TRUE(QTest::qWaitForWindowActive(box));
        user(*box);
        // Should the user's keys or clicks not have closed it, close it rather than hang.
        if (box->isVisible())
            box->close();
    });
}
