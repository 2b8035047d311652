#include "app/desktop/app_settings.h"

#include <QDir>
#include <QFileInfo>
#include <QLocale>
#include <QLockFile>
#include <QSettings>

#include <cmath>

using namespace Qt::StringLiterals;

namespace sw {

namespace {

const QString Group = u"Data"_s;
const QString HeightKey = u"FormHeight"_s;
const QString WidthKey = u"FormWidth"_s;
const QString DefaultFileKey = u"DefaultFile"_s;
constexpr double DefaultHeight = 10950;
constexpr double DefaultWidth = 14070;
// The smallest stored size taken, 100 pixels at 96 dpi: anything smaller, or no number at all,
// would open a window nobody can use, and store it again at the close.
constexpr double SmallestSize = 1500;
// Long enough for another editor's store to finish, short enough to go unnoticed.
constexpr auto LockWait = std::chrono::milliseconds(500);

// A missing key, or a value that is no plausible window size, takes the default.
ErrorText readSize(QSettings& store, const QString& key, double fallback, double& size)
{
    size = fallback;
    if (!store.contains(key))
        return {};
    const QString text = store.value(key).toString();
    bool ok = false;
    const double value = text.toDouble(&ok);
    if (!ok || !std::isfinite(value) || value < SmallestSize)
        return u"The stored %1 \"%2\" is no window size."_s.arg(key, text);
    size = value;
    return {};
}

// Sizes are whole twips; anything else keeps its shortest exact form.
QString sizeText(double size)
{
    if (size == std::floor(size) && std::abs(size) < 1e15)
        return QString::number(static_cast<qint64>(size));
    return QString::number(size, 'g', QLocale::FloatingPointShortest);
}

} // namespace

std::unique_ptr<QSettings> openUserSettings()
{
    return std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope,
                                       u"Stepwright"_s, u"Stepwright"_s);
}

ErrorText Get_Registry_data(AppSettings& settings, QSettings& store)
{
    store.beginGroup(Group);
    const ErrorText height = readSize(store, HeightKey, DefaultHeight, settings.FormHeight);
    const ErrorText width = readSize(store, WidthKey, DefaultWidth, settings.FormWidth);
    settings.DefaultFile = store.value(DefaultFileKey, QString()).toString();
    store.endGroup();
    return height.isEmpty() ? width : height;
}

ErrorText Save_Registry_Data(const AppSettings& settings, QSettings& store)
{
    return storeSettings(store, [&settings](QSettings& to) {
        to.beginGroup(Group);
        to.setValue(HeightKey, sizeText(settings.FormHeight));
        to.setValue(WidthKey, sizeText(settings.FormWidth));
        to.setValue(DefaultFileKey, settings.DefaultFile);
        to.endGroup();
    });
}

ErrorText storeSettings(QSettings& store, const std::function<void(QSettings&)>& write)
{
    const QString where = QDir::toNativeSeparators(store.fileName());
    const auto failure = [&where](const QString& reason) {
        return u"The settings cannot be stored in \"%1\": %2.\r\nThe window size and the recent "
               u"files are not remembered."_s.arg(where, reason);
    };
    // Taken and let go at once: it only tells that QSettings will take it without waiting. The
    // folder first, as QSettings would make it.
    QDir().mkpath(QFileInfo(store.fileName()).absolutePath());
    QLockFile lock(store.fileName() + ".lock"_L1);
    if (!lock.tryLock(LockWait)) {
        if (lock.error() == QLockFile::PermissionError)
            return failure(u"its folder cannot be written"_s);
        return failure(u"its lock \"%1.lock\" is held and cannot be removed"_s.arg(where));
    }
    lock.unlock();
    write(store);
    store.sync();
    if (store.status() != QSettings::NoError)
        return failure(u"it cannot be written"_s);
    return {};
}

} // namespace sw
