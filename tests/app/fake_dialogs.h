#pragma once

#include "app/user_dialogs.h"

#include <QList>
#include <QQueue>
#include <QStringList>

// Answers for the user from queues and records what the program asked, so no modal box ever
// waits in a test.
class FakeDialogs : public sw::UserDialogs
{
public:
    QStringList criticals;
    QStringList criticalDetails; // one for each critical box, empty when it had none
    QStringList questions;
    QList<sw::FileRequest> fileRequests; // open and save requests, in order
    int versionsShown = 0;

    QQueue<sw::Answer> answers;
    QQueue<std::optional<QString>> fileNames; // nullopt: the user cancels

    void critical(const QString& text, const QString& detail) override
    {
        criticals << text;
        criticalDetails << detail;
    }
    sw::Answer question(const QString& text) override
    {
        questions << text;
        return answers.isEmpty() ? sw::Answer::No : answers.dequeue();
    }
    std::optional<QString> openFileName(const sw::FileRequest& request) override
    {
        return nextFileName(request);
    }
    std::optional<QString> saveFileName(const sw::FileRequest& request) override
    {
        return nextFileName(request);
    }
    void showVersion() override { ++versionsShown; }

private:
    std::optional<QString> nextFileName(const sw::FileRequest& request)
    {
        fileRequests << request;
        return fileNames.isEmpty() ? std::nullopt : fileNames.dequeue();
    }
};
