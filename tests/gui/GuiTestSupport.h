// Helpers of the Qt view tests: screenshots into build/screenshots, waiting for
// modal dialogs and answering them.
#pragma once

#include <QString>
#include <QWidget>

#include <functional>

namespace zeb::guitest {

// Saves a picture of the widget (its window) as build/screenshots/<name>.png.
void Screenshot(QWidget* widget, const QString& name);

// Runs `answer` on the next modal widget that opens (message box or dialog),
// while the code that opens it runs; returns false when none opened in time.
void WhenModalOpens(std::function<void(QWidget*)> answer, int timeoutMs = 5000);

} // namespace zeb::guitest
