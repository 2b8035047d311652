#pragma once

#include <QString>

#include <functional>

class QWidget;

// Script files dragged onto the window from a file manager.
namespace sw {

// The window and every control in it take a dropped script, exactly one local file named
// *.scp in any case, and refuse any other drag that carries files; open gets the path once
// the drop has finished, so the file manager is free before any question is asked. Text
// dragged into a field stays the field's business.
void acceptScriptDrops(QWidget* window, std::function<void(const QString&)> open);

} // namespace sw
