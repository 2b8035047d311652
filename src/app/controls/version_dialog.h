#pragma once

#include <QDialog>

// frmVer: names the product and the program and shows the version. Fixed layout; OK, Enter
// and Escape close it.
namespace sw {

inline constexpr QLatin1StringView MakerNotice{"Stepwright script editor"};
inline constexpr QLatin1StringView MakerName{"The Stepwright developers"};

class VersionDialog : public QDialog
{
    Q_OBJECT

public:
    explicit VersionDialog(QWidget* parent = nullptr);
};

} // namespace sw
