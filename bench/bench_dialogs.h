#pragma once

#include "app/controls/user_dialogs.h"

#include <QByteArray>
#include <QString>

#include <cstdio>

// The user of the window benchmarks: every file dialog is answered with one path, every
// question with No; a message is printed, since none is expected on these roads.
class BenchDialogs : public sw::UserDialogs
{
public:
    QString path;

    void critical(const QString& text, const QString&) override
    {
        std::fprintf(stderr, "unexpected message: %s\n", qPrintable(text));
    }
    sw::Answer question(const QString&) override { return sw::Answer::No; }
    sw::Answer questionWithCancel(const QString&) override { return sw::Answer::No; }
    void notice(const QString& text) override { critical(text, {}); }
    std::optional<QString> openFileName(const sw::FileRequest&) override { return path; }
    std::optional<QString> saveFileName(const sw::FileRequest&) override { return {}; }
    void showVersion() override {}
    void showKeys() override {}
};

// The window's recovery copies go to a folder of the benchmark's own: the user's are neither
// offered nor touched.
inline void keepOffUserData(const QString& folder)
{
    qputenv("XDG_DATA_HOME", folder.toLocal8Bit());
}
