#pragma once

#include <QSettings>
#include <QTemporaryDir>

#include <memory>

// A settings store in a folder of its own that goes with the test, never the user's. Each
// open() is a fresh view of the same file, as a new run of the program would see it.
class TempSettings
{
public:
    QString path() const { return m_folder.filePath(QStringLiteral("Stepwright.conf")); }
    std::unique_ptr<QSettings> open() const
    {
        return std::make_unique<QSettings>(path(), QSettings::IniFormat);
    }

private:
    QTemporaryDir m_folder;
};
