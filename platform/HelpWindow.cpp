#include "platform/HelpWindow.h"

#include "platform/FileIo.h"
#include "platform/StringTable.h"
#include "platform/UserMessages.h"

#include <QCloseEvent>
#include <QCursor>
#include <QFileInfo>
#include <QHash>
#include <QKeyEvent>
#include <QRegularExpression>
#include <QTextBrowser>
#include <QVBoxLayout>
#include <QWhatsThis>
#include <QWindow>

QString HelpContext::Anchor(quint32 contextId) {
    return QStringLiteral("ctx-") +
           QString::number(contextId, 16).toUpper().rightJustified(8, QLatin1Char('0'));
}

std::optional<CHelpFile> CHelpFile::Load(const QString& path) {
    // Our help files are some tens of kilobytes; a larger one is not ours.
    constexpr qsizetype kMaxFileSize = 4 * 1024 * 1024;
    QByteArray bytes;
    if (ReadWholeFile(path, kMaxFileSize, bytes) != FileError::None)
        return std::nullopt;
    CHelpFile help;
    help.m_html = QString::fromUtf8(bytes);
    return help;
}

QString CHelpFile::Title() const {
    static const QRegularExpression title(QStringLiteral("<title>(.*)</title>"),
                                          QRegularExpression::CaseInsensitiveOption);
    return title.match(m_html).captured(1).trimmed();
}

QString CHelpFile::TopicHtml(quint32 contextId) const {
    const QString anchor = QStringLiteral("<a name=\"%1\">").arg(HelpContext::Anchor(contextId));
    const qsizetype start = m_html.indexOf(anchor);
    if (start < 0)
        return QString();
    const qsizetype end = m_html.indexOf(QLatin1String("</div>"), start);
    return end < 0 ? QString() : m_html.mid(start, end - start);
}

CHelpWindow::CHelpWindow(const QString& windowName) : m_browser(new QTextBrowser(this)) {
    setObjectName(QStringLiteral("helpWindow:") + windowName);
    setAttribute(Qt::WA_DeleteOnClose);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_browser);
    m_browser->setOpenLinks(true);
    resize(520, 600);
}

void CHelpWindow::Show(const CHelpFile& file, quint32 contextId, QWidget* over) {
    m_over = over;
    winId();
    // Told to the window manager: a window the window above is transient for stays above it.
    windowHandle()->setTransientParent(over ? over->windowHandle() : nullptr);
    setWindowTitle(file.Title());
    // A screen reader names the text after the help it holds, as the title bar does.
    m_browser->setAccessibleName(file.Title());
    m_browser->setHtml(file.Html());
    m_context = contextId;
    if (contextId != HelpContext::Contents)
        m_browser->scrollToAnchor(HelpContext::Anchor(contextId));
    show();
    raise();
    activateWindow();
}

void CHelpWindow::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier)
        close();
    else
        QWidget::keyPressEvent(event);
}

void CHelpWindow::closeEvent(QCloseEvent* event) {
    QWidget::closeEvent(event);
    // The window it was read over takes the keys again, as a dialog's owner does.
    if (m_over && m_over->isVisible()) {
        m_over->raise();
        m_over->activateWindow();
    }
}

namespace {

QHash<QString, QPointer<CHelpWindow>>& Windows() {
    static QHash<QString, QPointer<CHelpWindow>> windows;
    return windows;
}

std::optional<CHelpFile> LoadOrTell(const QString& path) {
    std::optional<CHelpFile> file = CHelpFile::Load(path);
    if (!file)
        UserMessages().Show(Str::HelpFileMissing, MsgButtons::Ok, QFileInfo(path).fileName());
    return file;
}

bool OpenWindow(const QString& path, const QString& windowName, quint32 contextId, QWidget* over) {
    const std::optional<CHelpFile> file = LoadOrTell(path);
    if (!file)
        return false;
    const bool found = contextId == HelpContext::Contents || file->HasTopic(contextId);
    QPointer<CHelpWindow>& window = Windows()[windowName];
    if (!window)
        window = new CHelpWindow(windowName);
    window->Show(*file, found ? contextId : HelpContext::Contents, over);
    return found;
}

} // namespace

bool ShowHelpTopics(const QString& path) {
    return OpenWindow(path, QString(), HelpContext::Contents, nullptr);
}

bool ShowHelpTopic(const QString& path, quint32 contextId, QWidget* over) {
    // "file>window" names a secondary window, as help paths of the program have always
    // done; a '>' followed by a folder belongs to the path itself.
    const qsizetype cut = path.lastIndexOf(QLatin1Char('>'));
    if (cut > 0 && !path.mid(cut + 1).contains(QLatin1Char('/')))
        return OpenWindow(path.left(cut), path.mid(cut + 1), contextId, over);
    return OpenWindow(path, QString(), contextId, over);
}

void CloseAllHelpWindows() {
    for (const QPointer<CHelpWindow>& window : std::as_const(Windows()))
        delete window.data();
    Windows().clear();
}

bool ShowHelpContext(const QString& path, quint32 contextId) {
    const std::optional<CHelpFile> file = LoadOrTell(path);
    if (!file)
        return false;
    const QString topic = file->TopicHtml(contextId);
    QWhatsThis::showText(QCursor::pos(),
                         topic.isEmpty() ? LoadAppString(Str::HelpTopicMissing) : topic);
    return !topic.isEmpty();
}
