#pragma once

#include <QString>

#include <functional>
#include <optional>

class QMimeData;
class QWidget;

// Script files dragged onto the window from a file manager.
namespace sw {

// The local file a drag carries when it is exactly one file named *.scp (any case).
std::optional<QString> droppedScript(const QMimeData& data);

// The window and every control in it take a dropped script and refuse any other drag that
// carries files; open gets the path once the drop has finished, so the file manager is free
// before any question is asked. Text dragged into a field stays the field's business.
void acceptScriptDrops(QWidget* window, std::function<void(const QString&)> open);

} // namespace sw
