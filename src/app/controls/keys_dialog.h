#pragma once

#include <QDialog>

// The table of the window's keys, beside the window: it waits for nothing, so the keys can be
// tried while it stands open. Escape or Close closes it.
namespace sw {

class KeysDialog : public QDialog
{
    Q_OBJECT

public:
    explicit KeysDialog(QWidget* parent = nullptr);
};

} // namespace sw
