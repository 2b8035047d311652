#pragma once

#include <QObject>

class QSocketNotifier;

// Turns the platform's requests to end the program (on POSIX: SIGTERM, SIGHUP, SIGINT) into a
// signal delivered by the event loop, where the program may still keep its work. One object at
// a time; while it lives, those requests no longer end the program by themselves.
namespace sw {

class TerminationSignals : public QObject
{
    Q_OBJECT

public:
    explicit TerminationSignals(QObject* parent = nullptr);
    ~TerminationSignals() override;

Q_SIGNALS:
    void terminationRequested();

private:
    QSocketNotifier* m_notifier = nullptr;
};

} // namespace sw
