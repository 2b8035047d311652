#include "app/desktop/script_drops.h"

#include <QDropEvent>
#include <QFileInfo>
#include <QMimeData>
#include <QWidget>

#include <optional>

using namespace Qt::StringLiterals;

namespace sw {

namespace {

// The local file a drag carries when it is exactly one file named *.scp (any case).
std::optional<QString> droppedScript(const QMimeData& data)
{
    const QList<QUrl> urls = data.urls();
    if (urls.size() != 1 || !urls[0].isLocalFile())
        return std::nullopt;
    const QString path = urls[0].toLocalFile();
    if (QFileInfo(path).suffix().compare("scp"_L1, Qt::CaseInsensitive) != 0)
        return std::nullopt;
    return path;
}

class ScriptDropFilter : public QObject
{
public:
    ScriptDropFilter(QObject* parent, std::function<void(const QString&)> open)
        : QObject(parent), m_open(std::move(open))
    {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        const QEvent::Type type = event->type();
        if (type != QEvent::DragEnter && type != QEvent::DragMove && type != QEvent::Drop)
            return QObject::eventFilter(watched, event);
        auto* drag = static_cast<QDropEvent*>(event);
        if (!drag->mimeData()->hasUrls())
            return false;
        const std::optional<QString> path = droppedScript(*drag->mimeData());
        // A copy, whatever the user's keys propose: a move would have the file manager
        // delete the script it handed over.
        if (!path || !(drag->possibleActions() & Qt::CopyAction)) {
            drag->ignore();
            return true;
        }
        drag->setDropAction(Qt::CopyAction);
        drag->accept();
        if (type == QEvent::Drop)
            QMetaObject::invokeMethod(
                this, [this, file = *path] { m_open(file); }, Qt::QueuedConnection);
        return true;
    }

private:
    std::function<void(const QString&)> m_open;
};

} // namespace

void acceptScriptDrops(QWidget* window, std::function<void(const QString&)> open)
{
    auto* filter = new ScriptDropFilter(window, std::move(open));
    window->setAcceptDrops(true);
    window->installEventFilter(filter);
    // The text fields take drops of their own, which would paste a file's path. A drag reaches
    // only widgets that take drops; over any other, it goes on to the window.
    for (QWidget* control : window->findChildren<QWidget*>()) {
        if (control->acceptDrops())
            control->installEventFilter(filter);
    }
}

} // namespace sw
