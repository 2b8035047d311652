#pragma once

#include "script/script_store.h"

#include <QString>

#include <memory>

class QSettings;

// What the editor remembers per user: the outer window size in twips and the folder of the
// last script file chosen in a file dialog. Read once at start-up, stored once at the close.
// The keys, their group and their defaults live in app_settings.cpp alone.
namespace sw {

struct AppSettings
{
    double FormHeight = 0;
    double FormWidth = 0;
    QString DefaultFile;
};

// The user's own store: application "Stepwright", under an organisation of the same name,
// which the platforms without a registry need for a folder.
std::unique_ptr<QSettings> openUserSettings();

// Reads the three keys; a missing key takes its default. A size that is not a number stops
// reading there, leaving that field and the ones behind it as they were.
ErrorText Get_Registry_data(AppSettings& settings, QSettings& store);
ErrorText Save_Registry_Data(const AppSettings& settings, QSettings& store);

} // namespace sw
