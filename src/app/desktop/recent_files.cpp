#include "app/desktop/recent_files.h"

#include "app/desktop/app_settings.h"

#include <QDir>
#include <QMenu>
#include <QSettings>

using namespace Qt::StringLiterals;

namespace sw {

namespace {

const QString Key = u"RecentFiles/Files"_s;
constexpr int MaxRecentFiles = 8;

} // namespace

RecentFiles::RecentFiles(QSettings& store, QMenu* menu, QObject* parent)
    : QObject(parent), m_store(store), m_menu(menu),
      m_paths(store.value(Key).toStringList().mid(0, MaxRecentFiles))
{
    showInMenu();
}

void RecentFiles::add(const QString& path)
{
    // The newest file opened or saved again changes nothing: no write, no new menu.
    if (!m_paths.isEmpty() && m_paths.front() == path)
        return;
    m_paths.removeAll(path);
    m_paths.prepend(path);
    m_paths = m_paths.mid(0, MaxRecentFiles);
    changed();
}

void RecentFiles::remove(const QString& path)
{
    m_paths.removeAll(path);
    changed();
}

void RecentFiles::changed()
{
    const ErrorText error = storeSettings(m_store, [this](QSettings& store) {
        if (m_paths.isEmpty())
            store.remove(Key);
        else
            store.setValue(Key, m_paths);
    });
    showInMenu();
    if (!error.isEmpty())
        Q_EMIT storeFailed(error);
}

void RecentFiles::showInMenu()
{
    // The item chosen may be the one being replaced: it goes once its signal has returned.
    for (QAction* old : m_menu->actions()) {
        m_menu->removeAction(old);
        old->deleteLater();
    }
    for (int i = 0; i < m_paths.size(); ++i) {
        const QString& path = m_paths[i];
        QString shown = QDir::toNativeSeparators(path);
        shown.replace(u'&', u"&&"_s);
        QAction* action = m_menu->addAction(u"&%1 %2"_s.arg(i + 1).arg(shown));
        connect(action, &QAction::triggered, this, [this, path] { Q_EMIT chosen(path); });
    }
    m_menu->setEnabled(!m_paths.isEmpty());
}

} // namespace sw
