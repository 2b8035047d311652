#pragma once

#include "script/script_store.h"

#include <QString>

#include <functional>
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

// Reads the three keys; a missing key takes its default, and so does a size that is no
// plausible window size (no number, not finite, or smaller than a usable window), which is
// the error returned.
ErrorText Get_Registry_data(AppSettings& settings, QSettings& store);
ErrorText Save_Registry_Data(const AppSettings& settings, QSettings& store);

// Stores what write sets and syncs, never waiting on the settings file's lock: QSettings waits
// on it without end, and a stale lock it cannot remove (a folder of that name) would stop the
// window for good. Nothing is set when the lock is not free. Empty when stored, else what the
// user is told.
ErrorText storeSettings(QSettings& store, const std::function<void(QSettings&)>& write);

} // namespace sw
