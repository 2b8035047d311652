#pragma once

#include <QObject>
#include <QStringList>

class QMenu;
class QSettings;

// The scripts last opened or saved, most recent first, shown in a menu with access numbers.
// They live in the settings store in a group of their own, stored at every change so that a
// program that ends abruptly still knows them.
namespace sw {

class RecentFiles : public QObject
{
    Q_OBJECT

public:
    RecentFiles(QSettings& store, QMenu* menu, QObject* parent);

    // Puts the path first, once.
    void add(const QString& path);
    void remove(const QString& path);

Q_SIGNALS:
    void chosen(const QString& path);
    // The list could not be stored; it stays in the menu for this run.
    void storeFailed(const QString& error);

private:
    void changed();
    void showInMenu();

    QSettings& m_store;
    QMenu* m_menu;
    QStringList m_paths;
};

} // namespace sw
