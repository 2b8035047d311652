#include "app/app_settings.h"

#include <QLocale>
#include <QSettings>

#include <cmath>

using namespace Qt::StringLiterals;

namespace sw {

namespace {

const QString Group = u"Data"_s;
const QString HeightKey = u"FormHeight"_s;
const QString WidthKey = u"FormWidth"_s;
const QString DefaultFileKey = u"DefaultFile"_s;
constexpr auto DefaultHeight = "10950"_L1;
constexpr auto DefaultWidth = "14070"_L1;

ErrorText readSize(QSettings& store, const QString& key, QLatin1StringView fallback, double& size)
{
    const QString text = store.value(key, QString(fallback)).toString();
    bool ok = false;
    const double value = text.toDouble(&ok);
    if (!ok || !std::isfinite(value))
        return u"The stored %1 \"%2\" is not a number."_s.arg(key, text);
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
    ErrorText error = readSize(store, HeightKey, DefaultHeight, settings.FormHeight);
    if (error.isEmpty())
        error = readSize(store, WidthKey, DefaultWidth, settings.FormWidth);
    if (error.isEmpty())
        settings.DefaultFile = store.value(DefaultFileKey, QString()).toString();
    store.endGroup();
    return error;
}

ErrorText Save_Registry_Data(const AppSettings& settings, QSettings& store)
{
    store.beginGroup(Group);
    store.setValue(HeightKey, sizeText(settings.FormHeight));
    store.setValue(WidthKey, sizeText(settings.FormWidth));
    store.setValue(DefaultFileKey, settings.DefaultFile);
    store.endGroup();
    store.sync();
    if (store.status() != QSettings::NoError)
        return u"The settings could not be stored."_s;
    return {};
}

} // namespace sw
